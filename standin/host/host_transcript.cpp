#include "standin/host/host_transcript.h"

#include <utility>

#include "standin/host/plugins.h"

namespace standin {
namespace {

std::vector<TranscriptEntry>& Entries() {
    static std::vector<TranscriptEntry> entries;
    return entries;
}

std::function<void(const TranscriptEntry&)>& Listener() {
    static std::function<void(const TranscriptEntry&)> listener;
    return listener;
}

}  // namespace

const char* DialogItemKindName(DialogItemKind kind) {
    switch (kind) {
        case DialogItemKind::kPushButton:
            return "button";
        case DialogItemKind::kDefaultButton:
            return "default button";
        case DialogItemKind::kCheckBox:
            return "check box";
        case DialogItemKind::kRadioButton:
            return "radio button";
        case DialogItemKind::kGroupBox:
            return "group box";
        case DialogItemKind::kStaticText:
            return "text";
        case DialogItemKind::kPicture:
            return "picture";
        case DialogItemKind::kFrame:
            return "frame";
        case DialogItemKind::kUserDrawn:
            return "user-drawn";
        case DialogItemKind::kEditText:
            return "edit text";
        case DialogItemKind::kPopup:
            return "popup";
        case DialogItemKind::kListBox:
            return "list";
        case DialogItemKind::kScrollBar:
            return "scroll bar";
        case DialogItemKind::kOther:
            break;
    }
    return "item";
}

void AddTranscriptEntry(TranscriptEntry entry) {
    Entries().push_back(std::move(entry));
    // The listener may add entries itself; hand it a copy.
    if (Listener()) {
        const TranscriptEntry added = Entries().back();
        Listener()(added);
    }
}

void AddHostNote(const std::string& plugin, const std::string& text) {
    TranscriptEntry entry;
    entry.kind = TranscriptEntry::Kind::kNote;
    entry.plugin = plugin;
    entry.text = text;
    AddTranscriptEntry(std::move(entry));
}

void AddBeep(uint32_t type) {
    TranscriptEntry entry;
    entry.kind = TranscriptEntry::Kind::kBeep;
    if (const Plugin* plugin = MessagedPlugin()) entry.plugin = plugin->name;
    entry.beepType = type;
    AddTranscriptEntry(std::move(entry));
}

const std::vector<TranscriptEntry>& Transcript() {
    return Entries();
}

void ClearTranscript() {
    Entries().clear();
}

void SetTranscriptListener(std::function<void(const TranscriptEntry&)> listener) {
    Listener() = std::move(listener);
}

}  // namespace standin
