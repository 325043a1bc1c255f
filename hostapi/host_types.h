// The scalar types, records and helpers that every part of the host interface
// shares.
//
// The host and the plug-in exchange only C-compatible data: standard-layout
// records, opaque handles and function pointers with C language linkage.
// Constants are C++ (constexpr), because both sides are compiled as C++.
#pragma once

#include <cstddef>
#include <cstdint>

// Calling convention of every function that crosses between host and plug-in.
// The platform's default C convention here, so it expands to nothing.
#define HOST_CALL

// Result of every host operation that can fail: 0 for success, otherwise a
// small negative number or a four-character code (sp_basic.h lists them).
typedef int32_t ASErr;

// A one-byte boolean: 0 is false, anything else true.
typedef uint8_t ASBoolean;
inline constexpr ASBoolean kASFalse = 0;
inline constexpr ASBoolean kASTrue = 1;

// Reals in document coordinates and in styles are 32-bit floats.
typedef float ASReal;

// A point in document coordinates, in points; v grows upwards.
struct ASRealPoint {
    ASReal h;
    ASReal v;
};

// A rectangle in document coordinates, in points.
struct ASRealRect {
    ASReal left;
    ASReal top;
    ASReal right;
    ASReal bottom;
};

// The host's reference to one loaded plug-in. The plug-in receives its own in
// every message and passes it back to calls that must know who is calling
// (resources, dialogs, filters, actions).
typedef struct SPPlugin* SPPluginRef;

// A four-character code: the first character is the most significant byte,
// so MakeFourCharCode("STOP") is 0x53544F50.
constexpr uint32_t MakeFourCharCode(const char (&code)[5]) {
    return (static_cast<uint32_t>(static_cast<uint8_t>(code[0])) << 24) |
           (static_cast<uint32_t>(static_cast<uint8_t>(code[1])) << 16) |
           (static_cast<uint32_t>(static_cast<uint8_t>(code[2])) << 8) |
           static_cast<uint32_t>(static_cast<uint8_t>(code[3]));
}

// A four-character code used as an error result.
constexpr ASErr MakeFourCharError(const char (&code)[5]) {
    return static_cast<ASErr>(MakeFourCharCode(code));
}
