// "ADM Basic Suite": ADM's plain services.
//
// The plug-in reads strings from the string tables of its own resources (the
// pop-up entries, the error table) and shows a message alert when a suite
// cannot be acquired.
#pragma once

#include "hostapi/adm_types.h"
#include "hostapi/host_types.h"

inline constexpr char kADMBasicSuite[] = "ADM Basic Suite";
inline constexpr int32_t kADMBasicSuiteVersion = 2;

extern "C" {

// Shows `message` (code page 932) in an alert with an OK button and waits
// for it.
typedef void(HOST_CALL* ADMMessageAlertProc)(const char* message);
// Copies string resource `stringID` + `index` of the plug-in `self` into
// `text` (`bufferSize` bytes): at most bufferSize - 1 bytes and a NUL. An
// error when there is no such string; `text` is then the empty string.
typedef ASErr(HOST_CALL* ADMGetIndexStringProc)(SPPluginRef self, int32_t stringID, int32_t index,
                                                char* text, int32_t bufferSize);

}  // extern "C"

struct ADMBasicSuite {
    ADMMessageAlertProc MessageAlert;
    ADMGetIndexStringProc GetIndexString;
};
