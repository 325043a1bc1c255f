// The stand-in's "AI User Suite": numbers to text and back, on
// length-prefixed strings (a length byte, then the bytes, no NUL).
#pragma once

#include "hostapi/ai_user.h"

namespace standin {

// Digits after the decimal point that RealToString writes at most.
inline constexpr int16_t kMaxRealPrecision = 20;

// The suite, as the registry serves it. Its conversions return nothing, as
// the host's do; they are those below, whose results say what went wrong.
const AIUserSuite* StandinUserSuite();

// StringToReal: reads an optional sign, digits with an optional decimal point
// and an optional exponent, after leading blanks, from the string's own
// bytes only, into *value; it gives "Parm" and 0 when they hold no number or
// one outside the range of a 32-bit float.
ASErr ConvertStringToReal(const unsigned char* text, ASReal* value);

// RealToString: writes the value rounded to `precision` digits (0 to 20) after
// the decimal point, without a point for precision 0 ("-108"), never as
// "-0"; "Parm" with an empty string for another precision, a value that is
// not finite, or a text longer than 255 bytes.
ASErr ConvertRealToString(ASReal value, short precision, unsigned char* text);

}  // namespace standin
