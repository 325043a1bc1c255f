#include "qr/text_filter.h"

#include <cassert>

namespace {

// Alphanumeric characters of clause 7.4.4 table 5, with lower-case letters,
// which the stream encodes as their upper-case values.
bool IsAlphanumeric(uint8_t b) {
    if ((b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z')) return true;
    switch (b) {
        case ' ': case '$': case '%': case '*': case '+': case '-': case '.': case '/': case ':':
            return true;
        default: return false;
    }
}

bool IsDigit(uint8_t b) { return b >= '0' && b <= '9'; }

}  // namespace

bool IsEncodableKanji(uint8_t b1, uint8_t b2) {
    if (b2 < 0x40 || b2 > 0xFC || b2 == 0x7F) return false;
    const int code = (b1 << 8) | b2;
    return (code >= 0x8140 && code <= 0x9FFC) || (code >= 0xE040 && code <= 0xEBBF);
}

int SingleModeFromChar(char modeChar) {
    switch (modeChar) {
        case 'N': return kModeNumeric;
        case 'A': return kModeAlphanumeric;
        case 'B': return kModeByte;
        case 'K': return kModeKanji;
        default: return -1;
    }
}

size_t FilterText(const char* text, char modeChar, char* filtered) {
    assert(text != nullptr && filtered != nullptr);
    const auto* in = reinterpret_cast<const uint8_t*>(text);
    size_t n = 0;
    const int mode = SingleModeFromChar(modeChar);
    while (*in != 0) {
        const uint8_t b = *in;
        if (mode == kModeByte) {
            filtered[n++] = static_cast<char>(b);
            ++in;
            continue;
        }
        // Every other mode takes the text character by character; a lead
        // byte that ends the text is a character of one byte, kept by none.
        const int len = ShiftJisCharLength(reinterpret_cast<const char*>(in));
        bool keep = false;
        switch (mode) {
            case kModeNumeric: keep = len == 1 && IsDigit(b); break;
            case kModeAlphanumeric: keep = len == 1 && IsAlphanumeric(b); break;
            case kModeKanji: keep = len == 2 && IsEncodableKanji(in[0], in[1]); break;
            default: keep = len == 2 || !IsKanjiLeadByte(b); break;  // mixed
        }
        if (keep)
            for (int i = 0; i < len; ++i) filtered[n++] = static_cast<char>(in[i]);
        in += len;
    }
    filtered[n] = '\0';
    return n;
}

TextSegment NextMixedSegment(const char* filtered, int32_t length, int32_t start) {
    assert(start >= 0 && start < length);
    const auto* p = reinterpret_cast<const uint8_t*>(filtered);
    // Kind of the character at i and its length; mixed filtering guarantees
    // that a lead byte inside the text is followed by its second byte.
    auto kindAt = [&](int32_t i, int* len) {
        *len = (i + 1 < length && IsKanjiLeadByte(p[i])) ? 2 : 1;
        return (*len == 2 && IsEncodableKanji(p[i], p[i + 1])) ? kModeKanji : kModeByte;
    };
    int len = 0;
    const DataMode kind = kindAt(start, &len);
    int32_t end = start + len;
    while (end < length) {
        if (kindAt(end, &len) != kind) break;
        end += len;
    }
    return TextSegment{kind, start, end - start};
}
