#include "standin/app/transcript_text.h"

#include "standin/text/cp932.h"

namespace standin {

std::string IndentedLines(const std::string& text, int indent) {
    const std::string utf8 = Cp932ToUtf8Lossy(text);
    std::string out;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
            // A break that ends the text starts no further line.
            if (i + 1 < utf8.size()) {
                out += '\n';
                out.append(static_cast<size_t>(indent), ' ');
            }
            continue;
        }
        out += c;
    }
    return out;
}

namespace {

std::string Prefix(const TranscriptEntry& entry) {
    return entry.plugin.empty() ? std::string() : entry.plugin + ": ";
}

// The lines of a dialog's items, each indented by `indent` spaces.
std::string ItemLines(const TranscriptEntry& dialog, int indent) {
    const std::string pad(static_cast<size_t>(indent), ' ');
    std::string out;
    for (const ShownDialogItem& item : dialog.items) {
        std::string line;
        switch (item.kind) {
            case DialogItemKind::kFrame:
            case DialogItemKind::kUserDrawn:
            case DialogItemKind::kScrollBar:
                continue;
            case DialogItemKind::kPicture:
                line = "(picture: bitmap " + std::to_string(item.picture);
                if (item.pictureWidth > 0)
                    line += ", " + std::to_string(item.pictureWidth) + " x " +
                            std::to_string(item.pictureHeight) + " pixels";
                line += ")";
                break;
            case DialogItemKind::kPushButton:
            case DialogItemKind::kDefaultButton:
                line.append("[").append(IndentedLines(item.text, indent + 1)).append("]");
                break;
            case DialogItemKind::kPopup:
            case DialogItemKind::kListBox:
                line.append("<").append(IndentedLines(item.text, indent + 1)).append(">");
                break;
            default:
                if (item.text.empty()) continue;
                line = IndentedLines(item.text, indent);
                break;
        }
        out += pad + line + "\n";
    }
    return out;
}

}  // namespace

std::string DialogText(const TranscriptEntry& dialog, int indent) {
    return IndentedLines(dialog.title, indent) + "\n" + ItemLines(dialog, indent);
}

std::string TranscriptEntryText(const TranscriptEntry& entry) {
    switch (entry.kind) {
        case TranscriptEntry::Kind::kNote:
            return Prefix(entry) + entry.text + "\n";
        case TranscriptEntry::Kind::kAlert:
            return Prefix(entry) + "alert: " + IndentedLines(entry.text, 4) + "\n";
        case TranscriptEntry::Kind::kDialogShown:
            return Prefix(entry) + "dialog \"" + IndentedLines(entry.title, 4) + "\"\n" +
                   ItemLines(entry, 4);
        case TranscriptEntry::Kind::kDialogClosed:
            return Prefix(entry) + "dialog " + std::to_string(entry.dialogId) +
                   " closed with item " + std::to_string(entry.result) + "\n";
        case TranscriptEntry::Kind::kBeep:
            return Prefix(entry) + "beep\n";
    }
    return std::string();
}

}  // namespace standin
