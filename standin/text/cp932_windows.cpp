// Code page 932 on Windows: the system's MultiByteToWideChar and
// WideCharToMultiByte, held to the same table and the same failures as the
// iconv conversion of the other build (cp932.cpp), so that both builds give
// the same bytes and report the same offsets.
#include <cassert>
#include <cstdint>
#include <vector>

#include "platform/win_types.h"
#include "sjis/shift_jis.h"
#include "standin/text/cp932.h"

namespace {

constexpr UINT kCodePage932 = 932;

// One character of well-formed UTF-8: its code point and where it starts.
struct CodePoint {
    char32_t value;
    size_t offset;
};

// Decodes `utf8` strictly (no overlong forms, surrogates or values above
// U+10FFFF; a sequence cut off at the end is invalid). False with the offset
// of the first byte of the offending sequence.
bool DecodeUtf8(std::string_view utf8, std::vector<CodePoint>* out, size_t* bad) {
    size_t i = 0;
    while (i < utf8.size()) {
        const auto byte = [&](size_t k) { return static_cast<uint8_t>(utf8[k]); };
        const uint8_t lead = byte(i);
        size_t length = 0;
        char32_t value = 0;
        char32_t least = 0;
        if (lead < 0x80) {
            length = 1, value = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2, value = lead & 0x1F, least = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3, value = lead & 0x0F, least = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4, value = lead & 0x07, least = 0x10000;
        } else {
            *bad = i;
            return false;
        }
        if (length > utf8.size() - i) {
            *bad = i;
            return false;
        }
        for (size_t k = 1; k < length; ++k) {
            if ((byte(i + k) & 0xC0) != 0x80) {
                *bad = i;
                return false;
            }
            value = (value << 6) | (byte(i + k) & 0x3F);
        }
        if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
            *bad = i;
            return false;
        }
        out->push_back({value, i});
        i += length;
    }
    return true;
}

void AppendUtf16(char32_t value, std::wstring* out) {
    if (value < 0x10000) {
        out->push_back(static_cast<wchar_t>(value));
        return;
    }
    value -= 0x10000;
    out->push_back(static_cast<wchar_t>(0xD800 + (value >> 10)));
    out->push_back(static_cast<wchar_t>(0xDC00 + (value & 0x3FF)));
}

// Characters the other build's table maps one way only (to code page 932,
// never back): the JIS forms of these Unicode characters.
bool OneWayForm(char32_t value, std::string* out) {
    struct Pair {
        char32_t from;
        const char* bytes;
    };
    static constexpr Pair kPairs[] = {
        {0x00A2, "\x81\x91"}, {0x00A3, "\x81\x92"}, {0x00A5, "\x5C"},     {0x00AC, "\x81\xCA"},
        {0x2014, "\x81\x5C"}, {0x2016, "\x81\x61"}, {0x203E, "\x7E"},     {0x2212, "\x81\x7C"},
        {0x301C, "\x81\x60"},
    };
    for (const Pair& p : kPairs)
        if (p.from == value) {
            *out += p.bytes;
            return true;
        }
    return false;
}

// The code page 932 form of one character; false when it has none.
bool EncodeOne(char32_t value, std::string* out) {
    if (OneWayForm(value, out)) return true;
    // The other build's table has no form for U+0080, nor for the private
    // characters the system gives the single bytes 0xA0 and 0xFD to 0xFF.
    if (value == 0x80 || (value >= 0xF8F0 && value <= 0xF8F3)) return false;
    // It drops the tag characters (U+E0000 to U+E007F) without a word.
    if (value >= 0xE0000 && value <= 0xE007F) return true;
    std::wstring wide;
    AppendUtf16(value, &wide);
    char bytes[8];
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, wide.data(),
                                      static_cast<int>(wide.size()), bytes, sizeof bytes, nullptr,
                                      &usedDefault);
    if (n <= 0 || usedDefault) return false;
    out->append(bytes, static_cast<size_t>(n));
    return true;
}

// Single bytes that the system maps to private or control characters and
// the other build refuses as not code page 932.
bool RefusedSingleByte(uint8_t b) {
    return b == 0x80 || b == 0xA0 || b >= 0xFD;
}

// The UTF-16 form of the code page 932 character `bytes` (one or two bytes);
// false when it is not a character of the code page.
bool DecodeOne(std::string_view bytes, std::wstring* out) {
    if (bytes.size() == 1 && RefusedSingleByte(static_cast<uint8_t>(bytes[0]))) return false;
    wchar_t wide[4];
    const int n = MultiByteToWideChar(kCodePage932, MB_ERR_INVALID_CHARS, bytes.data(),
                                      static_cast<int>(bytes.size()), wide, 4);
    if (n <= 0) return false;
    out->append(wide, static_cast<size_t>(n));
    return true;
}

std::string WideToUtf8(const std::wstring& wide) {
    if (wide.empty()) return std::string();
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n,
                            nullptr, nullptr);
    return out;
}

}  // namespace

Cp932Result Utf8ToCp932(std::string_view utf8) {
    std::vector<CodePoint> points;
    size_t bad = 0;
    if (!DecodeUtf8(utf8, &points, &bad)) return {Cp932Status::kInvalidUtf8, {}, bad};
    Cp932Result result{Cp932Status::kOk, {}, 0};
    result.bytes.reserve(utf8.size());
    for (const CodePoint& p : points) {
        if (p.value < 0x80) {
            result.bytes.push_back(static_cast<char>(p.value));
        } else if (!EncodeOne(p.value, &result.bytes)) {
            return {Cp932Status::kNoCp932Form, {}, p.offset};
        }
    }
    return result;
}

Cp932Result Cp932ToUtf8(std::string_view cp932) {
    std::wstring wide;
    wide.reserve(cp932.size());
    size_t i = 0;
    while (i < cp932.size()) {
        const auto lead = static_cast<uint8_t>(cp932[i]);
        if (lead < 0x80) {
            wide.push_back(static_cast<wchar_t>(lead));
            ++i;
            continue;
        }
        // A lead byte that ends the input is a character cut off.
        const size_t length = IsKanjiLeadByte(lead) ? 2 : 1;
        if (length > cp932.size() - i || !DecodeOne(cp932.substr(i, length), &wide))
            return {Cp932Status::kInvalidCp932, {}, i};
        i += length;
    }
    return {Cp932Status::kOk, WideToUtf8(wide), 0};
}

std::string Cp932ToUtf8Lossy(std::string_view cp932) {
    std::string out;
    while (!cp932.empty()) {
        Cp932Result r = Cp932ToUtf8(cp932);
        if (r.status == Cp932Status::kOk) return out + r.bytes;
        out += Cp932ToUtf8(cp932.substr(0, r.offset)).bytes;
        out += "\xEF\xBF\xBD";
        cp932.remove_prefix(r.offset + 1);
    }
    return out;
}
