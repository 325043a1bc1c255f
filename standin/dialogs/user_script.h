// The scripted user of the stand-in's dialogs: what the person at the host
// would do in the modal dialogs that plug-ins show, one step after another.
// Each modal run takes steps from the front of one queue until its dialog
// closes; a dialog still open when the queue is empty gets its default
// button pressed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace standin {

struct UserStep {
    enum class Action {
        kPress,   // press (click) item `item`: a button, a check box, a radio button
        kSelect,  // choose entry `index` of popup or list item `item`
        kType,    // replace the text of edit item `item` with `text`
        kClose,   // close the dialog as with Escape: its cancel button, item 2
    };
    Action action = Action::kPress;
    int32_t item = 0;
    int32_t index = 0;
    std::string text;  // code page 932
};

// Parses a script: steps separated by ';' or line breaks, each one of
//   press ITEM | select ITEM INDEX | type ITEM TEXT | close
// where TEXT is the rest of the step after one space (UTF-8, converted to
// code page 932; it cannot hold ';' or a line break). Blank steps are
// skipped. On a mistake returns false and says where in *error.
bool ParseUserScript(const std::string& script, std::vector<UserStep>* steps, std::string* error);

// Replaces the queue with `steps` and sets the counts below to 0.
void SetUserScript(std::vector<UserStep> steps);

// Takes the step at the front of the queue; none when it is empty.
std::optional<UserStep> TakeUserStep();

// Empties the queue; the steps it held count as left over.
void ClearUserScript();

// How many steps are left in the queue.
size_t RemainingUserSteps();

// Counts a step that could not be carried out (no such item, no such entry,
// a disabled entry, an item of the wrong kind).
void CountFailedUserStep();

// Since the last SetUserScript: the steps that could not be carried out, and
// the steps never carried out (those still queued and those that
// ClearUserScript dropped). A command that runs a script fails when either
// is not 0.
size_t FailedUserSteps();
size_t LeftoverUserSteps();

}  // namespace standin
