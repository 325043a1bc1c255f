// "AI Runtime Suite": facts about the running host application.
//
// The plug-in asks for the full path of the host's own executable and
// derives from it the folder under which its preferences file and its
// symbol table file lie.
#pragma once

#include "hostapi/host_types.h"

inline constexpr char kAIRuntimeSuite[] = "AI Runtime Suite";
inline constexpr int32_t kAIRuntimeSuiteVersion = 7;

// Bytes of a host file path, the terminating NUL included.
inline constexpr int32_t kFileSpecificationSize = 300;

// A file as the host names it: a full Windows path in code page 932
// ("C:\Folder\File.exe"), NUL-terminated.
struct SPPlatformFileSpecification {
    char path[kFileSpecificationSize];
};

extern "C" {

// The full path of the host application's executable.
typedef ASErr(HOST_CALL* AIGetAppFileSpecificationProc)(SPPlatformFileSpecification* file);

}  // extern "C"

struct AIRuntimeSuite {
    AIGetAppFileSpecificationProc GetAppFileSpecification;
};
