// What the user of the stand-in host would see and hear: the host's own
// notes (a module skipped while loading, a dialog the scripted user could not
// drive), every dialog a plug-in shows, with its texts once its init
// procedure ran, every alert, and every beep. Kept in order for tests and handed, as it happens, to
// a listener that the command line prints on standard error.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "hostapi/adm_types.h"

namespace standin {

// What a dialog item is, from its class and style in the dialog resource.
enum class DialogItemKind {
    kPushButton,
    kDefaultButton,
    kCheckBox,
    kRadioButton,
    kGroupBox,
    kStaticText,
    kPicture,    // a bitmap or icon named by the item's ordinal title
    kFrame,      // a black, grey or white rectangle or frame
    kUserDrawn,  // drawn by the plug-in's draw procedure
    kEditText,
    kPopup,  // a drop-down list
    kListBox,
    kScrollBar,
    kOther,
};

// A short English name of the kind ("button", "popup"), for listings.
const char* DialogItemKindName(DialogItemKind kind);

// One item of a shown dialog as the user sees it.
struct ShownDialogItem {
    int32_t id = 0;
    DialogItemKind kind = DialogItemKind::kOther;
    std::string text;      // code page 932: the item's text; a popup's active entry
    int32_t picture = -1;  // a picture's bitmap resource, else -1
    int32_t pictureWidth = 0, pictureHeight = 0;  // its size in pixels; 0 when unreadable
    ADMRect rect{};        // in the pixels of the dialog's client area
};

struct TranscriptEntry {
    enum class Kind {
        kNote,          // the host's own message
        kDialogShown,   // a dialog after its init procedure
        kDialogClosed,  // a dialog's modal run ended
        kAlert,         // a message alert
        kBeep,          // the system's beep (MessageBeep)
    };
    Kind kind = Kind::kNote;
    std::string plugin;  // the plug-in's module file name; empty for the host itself
    std::string text;    // kNote: UTF-8; kAlert: code page 932
    // Dialogs only:
    int32_t dialogId = 0;
    std::string dialogName;  // as the plug-in named it; may be empty
    std::string title;       // code page 932
    std::vector<ShownDialogItem> items;
    int32_t result = 0;     // kDialogClosed: the id the modal run returned
    uint32_t beepType = 0;  // kBeep: the sound MessageBeep was asked for
};

// Appends `entry` and hands it to the listener.
void AddTranscriptEntry(TranscriptEntry entry);

// Appends a note of the host (UTF-8) about `plugin` (may be empty).
void AddHostNote(const std::string& plugin, const std::string& text);

// Everything since the last ClearTranscript, oldest first.
const std::vector<TranscriptEntry>& Transcript();

// Forgets what was recorded; the listener stays.
void ClearTranscript();

// Appends a beep of `type` sounded by the plug-in handling a message now (or
// by the host, between messages).
void AddBeep(uint32_t type);

// Calls `listener` with each entry as it is added; an empty function stops.
void SetTranscriptListener(std::function<void(const TranscriptEntry&)> listener);

}  // namespace standin
