// The scalar types, records and helpers that every part of the host interface
// shares, as the host documents them for 32-bit Windows.
//
// The host and the plug-in exchange only C-compatible data: standard-layout
// records, opaque handles and function pointers with C language linkage.
// Constants are C++ (constexpr), because both sides are compiled as C++.
//
// Every header of this folder declares its records between
// hostapi/pack_begin.h and hostapi/pack_end.h: 4-byte packing on 32-bit
// Windows and i386, where the host's own headers ask for it. No record holds
// a member wider than 4 bytes there, so packing and natural alignment agree.
#pragma once

#include <cstddef>
#include <cstdint>

// Calling convention of every function that crosses between host and plug-in.
// The host's API macros expand to nothing on Windows, so every suite function,
// every procedure the plug-in hands to the host and PluginMain use the
// compiler's default: cdecl on 32-bit Windows (arguments right to left, the
// caller removes them, results in EAX).
#define HOST_CALL

// The host's 32-bit integer ("long" on Windows, whatever the build's long).
typedef int32_t ASInt32;

// Result of every host operation that can fail: 0 for success, otherwise a
// small negative number or a four-character code (sp_basic.h lists them).
typedef ASInt32 ASErr;

// The host's boolean: an int, 4 bytes, the same as the platform's BOOL, in
// records, behind pointers, as argument and as result. 0 is false, anything
// else true.
typedef int32_t ASBoolean;
inline constexpr ASBoolean kASFalse = 0;
inline constexpr ASBoolean kASTrue = 1;

// Reals in document coordinates and in styles are 32-bit floats.
typedef float ASReal;

#include "hostapi/pack_begin.h"

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

#include "hostapi/pack_end.h"

// The host's reference to one loaded plug-in. The plug-in receives its own in
// every message and passes it back to calls that must know who is calling
// (resources, dialogs, filters, actions).
typedef struct SPPlugin* SPPluginRef;

extern "C" {

// A slot of a suite that the plug-in never calls. It is declared only so that
// the slots after it lie where the host puts them; its real signature is the
// host's and is not needed here. Never call one.
typedef void(HOST_CALL* HostUnusedSlot)(void);

}  // extern "C"

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
