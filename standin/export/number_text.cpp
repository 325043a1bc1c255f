#include "standin/export/number_text.h"

#include <cassert>
#include <charconv>
#include <cmath>

namespace standin {
namespace {

// Long enough for any finite double in plain notation with the digits
// shortest round trip needs for the differences of floats we write.
constexpr size_t kNumberTextSize = 400;

template <typename T>
void AppendPlain(std::string* out, T value) {
    assert(std::isfinite(value));
    char text[kNumberTextSize];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    assert(ec == std::errc());
    if (ec != std::errc()) {
        *out += '0';
        return;
    }
    // "-0" reads back as zero all the same; keep the output free of it.
    if (end - text == 2 && text[0] == '-' && text[1] == '0') {
        *out += '0';
        return;
    }
    out->append(text, end);
}

}  // namespace

void AppendShortest(std::string* out, float value) {
    AppendPlain(out, value);
}

void AppendShortest(std::string* out, double value) {
    AppendPlain(out, value);
}

void AppendNineDigits(std::string* out, double value) {
    char text[64];
    const auto [end, ec] =
        std::to_chars(text, text + sizeof text, value, std::chars_format::general, 9);
    assert(ec == std::errc());
    out->append(text, ec == std::errc() ? end : text);
}

}  // namespace standin
