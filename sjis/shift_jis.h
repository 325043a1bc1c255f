// Characters of the plug-in's texts, which are code page 932 (Shift-JIS)
// bytes: a lead byte and the byte after it, whatever that byte is, make one
// two-byte character; every other byte is a character of its own. The engine,
// the preferences file, the application folder's rule and the stand-in's
// dialogs all cut texts into characters by this one rule.
#pragma once

#include <cstdint>

// True for a lead byte: 0x81 to 0x9F or 0xE0 to 0xFC.
constexpr bool IsKanjiLeadByte(uint8_t b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Bytes of the character that starts at `p` in a NUL-terminated text: 2 for a
// lead byte followed by a byte other than NUL, else 1. A lead byte that ends
// the text is a character of one byte, so nothing reads past the NUL.
inline int ShiftJisCharLength(const char* p) {
    return IsKanjiLeadByte(static_cast<uint8_t>(p[0])) && p[1] != '\0' ? 2 : 1;
}
