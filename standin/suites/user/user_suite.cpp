#include "standin/suites/user/user_suite.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

#include "hostapi/sp_basic.h"
#include "standin/host/slot_traps.h"

namespace standin {

ASErr ConvertStringToReal(const unsigned char* text, ASReal* value) {
    if (value == nullptr) return kSPBadParameterError;
    *value = 0;
    if (text == nullptr) return kSPBadParameterError;
    const char* p = reinterpret_cast<const char*>(text + 1);
    const char* end = p + text[0];
    while (p < end && (*p == ' ' || *p == '\t')) ++p;
    // from_chars takes a minus sign but no plus sign.
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    if (p == end || *p == '+' || *p == '-') return kSPBadParameterError;
    double number = 0;
    const std::from_chars_result r = std::from_chars(p, end, number, std::chars_format::general);
    if (r.ec != std::errc() || !std::isfinite(number) ||
        std::fabs(number) > std::numeric_limits<float>::max())
        return kSPBadParameterError;
    *value = static_cast<ASReal>(negative ? -number : number);
    return kSPNoError;
}

ASErr ConvertRealToString(ASReal value, short precision, unsigned char* text) {
    if (text == nullptr) return kSPBadParameterError;
    text[0] = 0;
    if (precision < 0 || precision > kMaxRealPrecision || !std::isfinite(value))
        return kSPBadParameterError;
    char buffer[kLengthPrefixedStringSize * 2];
    int n = std::snprintf(buffer, sizeof buffer, "%.*f", precision, static_cast<double>(value));
    if (n < 0 || n >= static_cast<int>(sizeof buffer)) return kSPBadParameterError;
    // A value that rounds to zero is written without its sign.
    if (buffer[0] == '-' && std::strspn(buffer + 1, "0.") == static_cast<size_t>(n - 1)) {
        std::memmove(buffer, buffer + 1, static_cast<size_t>(n));
        --n;
    }
    if (n > kLengthPrefixedStringSize - 1) return kSPBadParameterError;
    text[0] = static_cast<unsigned char>(n);
    std::memcpy(text + 1, buffer, static_cast<size_t>(n));
    return kSPNoError;
}

namespace {

// The host's conversions report nothing: what they leave is the result.
void HOST_CALL StringToReal(const unsigned char* text, ASReal* value) {
    ConvertStringToReal(text, value);
}

void HOST_CALL RealToString(ASReal value, short precision, unsigned char* text) {
    ConvertRealToString(value, precision, text);
}

}  // namespace

const AIUserSuite* StandinUserSuite() {
    static const AIUserSuite suite = [] {
        AIUserSuite s = TrappedSuite<AIUserSuite>(kAIUserSuiteVersion);
        s.RealToString = RealToString;
        s.StringToReal = StringToReal;
        return s;
    }();
    return &suite;
}

}  // namespace standin
