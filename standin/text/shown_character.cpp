#include "standin/text/shown_character.h"

#include <cstdio>

namespace {

bool IsInvisible(uint32_t cp) {
    return cp < 0x20 || (cp >= 0x7F && cp <= 0xA0) || cp == 0xAD ||
           (cp >= 0x2000 && cp <= 0x200F) || (cp >= 0x2028 && cp <= 0x202F) ||
           (cp >= 0x205F && cp <= 0x206F) || cp == 0x3000 || cp == 0xFEFF ||
           (cp >= 0xFE00 && cp <= 0xFE0F);
}

}  // namespace

uint32_t CodePointAt(std::string_view utf8, size_t* length) {
    if (utf8.empty()) {
        *length = 0;
        return 0;
    }
    const auto byte = [&](size_t i) { return static_cast<uint8_t>(utf8[i]); };
    const uint8_t b = byte(0);
    *length = b < 0xC2 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : b < 0xF5 ? 4 : 1;
    if (*length > utf8.size()) *length = 1;
    if (*length == 1) return b;
    uint32_t cp = b & (0x7F >> *length);
    for (size_t i = 1; i < *length; ++i) cp = (cp << 6) | (byte(i) & 0x3F);
    return cp;
}

std::string ShownCharacter(std::string_view utf8, size_t* length) {
    size_t n = 0;
    const uint32_t cp = CodePointAt(utf8, &n);
    if (length != nullptr) *length = n;
    char point[16];
    std::snprintf(point, sizeof point, "U+%04X", static_cast<unsigned>(cp));
    if (IsInvisible(cp)) return point;
    std::string shown(1, '\'');
    shown.append(utf8.substr(0, n)).append("' (").append(point).append(")");
    return shown;
}
