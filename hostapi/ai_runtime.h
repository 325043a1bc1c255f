// "AI Runtime Suite": facts about the running host application.
//
// The plug-in asks for the full path of the host's own executable and
// derives from it the folder under which its preferences file and its
// symbol table file lie.
#pragma once

#include "hostapi/host_types.h"

inline constexpr char kAIRuntimeSuite[] = "AI Runtime Suite";
inline constexpr ASInt32 kAIRuntimeSuiteVersion = 7;

// Bytes of the host's file record: a full path and its NUL.
inline constexpr ASInt32 kFileSpecificationSize = 300;

#include "hostapi/pack_begin.h"

// A file on Windows: its full path in the system's code page, NUL-terminated.
struct SPPlatformFileSpecification {
    char path[kFileSpecificationSize];
};

#include "hostapi/pack_end.h"

extern "C" {

// Writes the full path of the host application's executable into *file.
typedef ASErr(HOST_CALL* AIGetAppFileSpecificationProc)(SPPlatformFileSpecification* file);

}  // extern "C"

#include "hostapi/pack_begin.h"

// Slot for slot as the host lays it out, up to the last slot the plug-in
// calls (the host's table has 12 entries).
struct AIRuntimeSuite {
    /*  0 */ HostUnusedSlot GetAppName;
    /*  1 */ HostUnusedSlot GetAppVersion;
    /*  2 */ AIGetAppFileSpecificationProc GetAppFileSpecification;
};

#include "hostapi/pack_end.h"
