// "AI User Suite": the host's conversions between numbers and text.
//
// The plug-in's error reporter reads the numeric codes of its error table and
// writes a code's decimal form with them. Both work on length-prefixed
// strings: one length byte (0 to 255), then the bytes, no NUL. Neither
// reports a result: the host leaves the result register undefined.
#pragma once

#include "hostapi/host_types.h"

inline constexpr char kAIUserSuite[] = "AI User Suite";
inline constexpr ASInt32 kAIUserSuiteVersion = 6;

// Room for the longest length-prefixed string: the length byte and 255 bytes.
inline constexpr ASInt32 kLengthPrefixedStringSize = 256;

extern "C" {

// Writes `value` with `precision` digits after the decimal point into `text`
// (kLengthPrefixedStringSize bytes) as a length-prefixed string.
typedef void(HOST_CALL* AIRealToStringProc)(ASReal value, short precision, unsigned char* text);
// Reads the number at the start of the length-prefixed `text` into *value.
typedef void(HOST_CALL* AIStringToRealProc)(const unsigned char* text, ASReal* value);

}  // extern "C"

#include "hostapi/pack_begin.h"

// Slot for slot as the host lays it out, up to the last slot the plug-in
// calls (the host's table has 37 entries).
struct AIUserSuite {
    /*  0 */ HostUnusedSlot Cancel;
    /*  1 */ HostUnusedSlot UpdateProgress;
    /*  2 */ HostUnusedSlot SetProgressText;
    /*  3 */ HostUnusedSlot CloseProgress;
    /*  4 */ AIRealToStringProc RealToString;
    /*  5 */ AIStringToRealProc StringToReal;
};

#include "hostapi/pack_end.h"
