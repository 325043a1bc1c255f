// The Orvelk plug-in's settings dialog as `orvelk place` drives it: the
// items a user changes, the options turned into the scripted user's steps on
// them, and the lines the command prints about the dialog it closed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "contract/dialog_ids.h"
#include "contract/symbol_settings.h"
#include "standin/dialogs/dialog_snapshot.h"
#include "standin/dialogs/user_script.h"

// The dialog, its items and the cell sizes of its popup are the plug-in's
// (contract/dialog_ids.h, contract/symbol_settings.h).

// The entry of the cell-size popup that `text` names: the entry's own text
// ("0.20") or the same number written otherwise ("0.2", "1", "5.0"). False
// for any other size.
bool ParseCellSize(const char* text, int32_t* entry);

// The popup's sizes as a list for messages, as the popup writes them:
// "0.20, 0.25, ..., 5.00".
std::string CellSizeList();

// What the options ask of the dialog: an entry of each popup (-1: leave the
// popup as the dialog opens) and the text to type into item 13.
struct DialogChoices {
    int32_t level = -1;    // entry of the level popup: index of kLevelIndexLetters
    int32_t version = -1;  // entry of the version popup: 0 automatic, else the version
    int32_t mode = -1;     // entry of the mode popup: index of kModeIndexLetters
    int32_t cell = -1;     // entry of the cell-size popup
    int32_t mask = -1;     // entry of the mask popup: 0 automatic, k + 1 for mask k
    bool typeText = false;
    std::string text;  // code page 932, as the user types it (escapes included)
};

// Single steps of the user: choosing entry `entry` of popup `item`, typing
// `text` (code page 932) into the text item, pressing `item`.
standin::UserStep SelectStep(int32_t item, int32_t entry);
standin::UserStep TypeTextStep(const std::string& text);
standin::UserStep PressStep(int32_t item);

// The user's steps for a run of the dialog: a choice in each popup asked
// for, in the dialog's order from the top, then typing the text, then
// `extra` (the --user steps); then OK, or Cancel when `cancel` is set,
// unless `extra` ends the dialog itself (pressing item 1 or 2, or closing).
std::vector<standin::UserStep> DialogSteps(const DialogChoices& choices,
                                           const std::vector<standin::UserStep>& extra,
                                           bool cancel);

// The lines about the closed dialog: the plug-in and the button that closed
// it, item 14's text (a line each) and item 3's rectangle in pixels. Each
// after the first is indented by four spaces; ends with a newline.
std::string ClosedDialogText(const standin::DialogSnapshot& snapshot);
