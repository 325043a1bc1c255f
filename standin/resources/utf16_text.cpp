#include "standin/resources/utf16_text.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace {

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Without a converter only ASCII passes.
std::string AsciiOnly(std::u16string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) ++i;
        out.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
    }
    return out;
}

}  // namespace

std::string Utf16ToCp932(std::u16string_view text) {
    iconv_t cd = iconv_open("CP932", "UTF-16LE");
    if (cd == reinterpret_cast<iconv_t>(-1)) return AsciiOnly(text);

    std::vector<char> in;
    in.reserve(text.size() * 2);
    for (char16_t unit : text) {
        in.push_back(static_cast<char>(unit & 0xFF));
        in.push_back(static_cast<char>(unit >> 8));
    }
    // Each UTF-16 unit gives at most two bytes of code page 932.
    std::string out(text.size() * 2 + 4, '\0');
    char* inPtr = in.data();
    size_t inLeft = in.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    while (inLeft > 0) {
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1)) break;
        if (errno != EILSEQ && errno != EINVAL) break;  // E2BIG cannot happen: see the size
        // Replace the character that does not convert: a surrogate pair as a
        // whole, anything else one unit.
        const size_t unitIndex = static_cast<size_t>(inPtr - in.data()) / 2;
        size_t units = 1;
        if (IsHighSurrogate(text[unitIndex]) && unitIndex + 1 < text.size() &&
            IsLowSurrogate(text[unitIndex + 1])) {
            units = 2;
        }
        if (outLeft == 0) break;
        *outPtr++ = '?';
        --outLeft;
        inPtr += units * 2;
        inLeft -= units * 2;
    }
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}
