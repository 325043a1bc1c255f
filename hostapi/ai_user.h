// "AI User Suite": the host's conversions between numbers and text.
//
// The plug-in's error reporter reads the numeric codes of its error table and
// writes a code's decimal form with them. Both work on length-prefixed
// strings: one length byte (0 to 255), then the bytes, no NUL.
#pragma once

#include "hostapi/host_types.h"

inline constexpr char kAIUserSuite[] = "AI User Suite";
inline constexpr int32_t kAIUserSuiteVersion = 6;

// Room for the longest length-prefixed string: the length byte and 255 bytes.
inline constexpr int32_t kLengthPrefixedStringSize = 256;

extern "C" {

// Reads the number at the start of the length-prefixed `text` into *value.
typedef ASErr(HOST_CALL* AIStringToRealProc)(const unsigned char* text, ASReal* value);
// Writes `value` with `precision` digits after the decimal point into `text`
// (kLengthPrefixedStringSize bytes) as a length-prefixed string.
typedef ASErr(HOST_CALL* AIRealToStringProc)(ASReal value, int16_t precision, unsigned char* text);

}  // extern "C"

struct AIUserSuite {
    AIStringToRealProc StringToReal;
    AIRealToStringProc RealToString;
};
