#include "standin/window/window_text.h"

#include <cassert>

#include "standin/text/cp932.h"
#include "standin/text/shown_character.h"

namespace standin {
namespace {

// The length of the UTF-8 character that starts with `lead`; 1 for a byte
// that starts none.
size_t Utf8Length(unsigned char lead) {
    if (lead < 0xC2) return 1;
    if (lead < 0xE0) return 2;
    if (lead < 0xF0) return 3;
    if (lead < 0xF5) return 4;
    return 1;
}

// The code page 932 form of the one character `utf8`; '?' when it has none.
std::string CharacterCp932(std::string_view utf8) {
    const Cp932Result result = Utf8ToCp932(utf8);
    return result.status == Cp932Status::kOk ? result.bytes : std::string("?");
}

}  // namespace

std::string TypedCp932(std::string_view utf8) {
    const Cp932Result whole = Utf8ToCp932(utf8);
    if (whole.status == Cp932Status::kOk) return whole.bytes;
    // Character by character: only the offending ones become '?'.
    std::string bytes;
    for (size_t i = 0; i < utf8.size();) {
        size_t n = Utf8Length(static_cast<unsigned char>(utf8[i]));
        if (n > utf8.size() - i) n = 1;
        bytes += CharacterCp932(utf8.substr(i, n));
        i += n;
    }
    return bytes;
}

std::string WithoutForeignCharacters(std::string_view utf8, std::string* refused) {
    refused->clear();
    if (Utf8ToCp932(utf8).status == Cp932Status::kOk) return std::string(utf8);
    std::string kept;
    for (size_t i = 0; i < utf8.size();) {
        size_t n = Utf8Length(static_cast<unsigned char>(utf8[i]));
        if (n > utf8.size() - i) n = 1;
        const std::string_view character = utf8.substr(i, n);
        if (Utf8ToCp932(character).status == Cp932Status::kOk)
            kept += character;
        else if (refused->empty())
            refused->assign(character);
        i += n;
    }
    return kept;
}

std::string RefusedCharacterText(std::string_view refused) {
    return "The character " + ShownCharacter(refused) +
           " was not typed: the text is code page 932, which has no such character.";
}

size_t FittingInsertion(size_t heldBytes, std::string_view inserted, int limit) {
    if (limit < 0) return inserted.size();
    size_t room =
        static_cast<size_t>(limit) > heldBytes ? static_cast<size_t>(limit) - heldBytes : 0;
    size_t fit = 0;
    while (fit < inserted.size()) {
        size_t n = Utf8Length(static_cast<unsigned char>(inserted[fit]));
        if (n > inserted.size() - fit) n = 1;
        const size_t bytes = TypedCp932(inserted.substr(fit, n)).size();
        if (bytes > room) break;
        room -= bytes;
        fit += n;
    }
    assert(fit <= inserted.size());
    return fit;
}

std::string MnemonicLabel(const std::string& cp932) {
    const std::string utf8 = Cp932ToUtf8Lossy(cp932);
    std::string label;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        if (c == '_') {
            label += "__";
        } else if (c == '&' && i + 1 < utf8.size()) {
            label += utf8[i + 1] == '&' ? '&' : '_';
            if (utf8[i + 1] == '&') ++i;
        } else if (c != '&') {
            label += c;
        }
    }
    return label;
}

}  // namespace standin
