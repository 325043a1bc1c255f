#include "ui/escape_text.h"

#include <cassert>
#include <cstdint>

#include "sjis/shift_jis.h"

namespace {

// The byte that the escape letter `letter` stands for, or 0 for none.
char EscapedByte(char letter) {
    switch (letter) {
        case 'r':
            return '\r';
        case 'n':
            return '\n';
        case 't':
            return '\t';
        default:
            return '\0';
    }
}

}  // namespace

size_t TranslateEscapes(const char* typed, char* text) {
    assert(typed != nullptr && text != nullptr);
    size_t in = 0;
    size_t out = 0;
    while (typed[in] != '\0') {
        if (IsKanjiLeadByte(static_cast<uint8_t>(typed[in]))) {
            if (typed[in + 1] == '\0') break;  // a lone lead byte at the end
            text[out++] = typed[in++];
            text[out++] = typed[in++];
            continue;
        }
        if (typed[in] == '\\') {
            const char escaped = EscapedByte(typed[in + 1]);
            if (escaped != '\0') {
                text[out++] = escaped;
                in += 2;
                continue;
            }
        }
        text[out++] = typed[in++];
    }
    assert(out <= in);
    text[out] = '\0';
    return out;
}
