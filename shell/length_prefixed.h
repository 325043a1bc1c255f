// Length-prefixed strings, as the host takes the filter's category and title
// and as its number conversions read and write text: one length byte (0 to
// 255), then the bytes, no NUL.
#pragma once

#include "hostapi/ai_user.h"

// Writes the NUL-terminated `text`, shorter than kLengthPrefixedStringSize
// bytes, into `out` (kLengthPrefixedStringSize bytes) as a length-prefixed
// string. `out` may be the buffer of `text` itself.
void ToLengthPrefixed(const char* text, unsigned char* out);

// Writes the length-prefixed string `in` into `text` (kLengthPrefixedStringSize
// bytes) as a NUL-terminated string. `text` may be the buffer of `in` itself.
void FromLengthPrefixed(const unsigned char* in, char* text);
