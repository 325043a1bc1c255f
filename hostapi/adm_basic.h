// "ADM Basic Suite": ADM's plain services.
//
// The plug-in reads strings from the string tables of its own resources (the
// pop-up entries, the error table) and shows a message alert when a suite
// cannot be acquired.
#pragma once

#include "hostapi/adm_types.h"
#include "hostapi/host_types.h"

inline constexpr char kADMBasicSuite[] = "ADM Basic Suite";
inline constexpr ASInt32 kADMBasicSuiteVersion = 2;

extern "C" {

// Copies string resource `stringID` + `index` of the plug-in `self` into
// `text`, at most `maxLength` bytes with the NUL. An error when there is no
// such string; `text` is then the empty string.
typedef ASErr(HOST_CALL* ADMGetIndexStringProc)(SPPluginRef self, ASInt32 stringID, ASInt32 index,
                                                char* text, ASInt32 maxLength);
// Shows `message` (code page 932) in an alert with an OK button and waits
// for it.
typedef void(HOST_CALL* ADMMessageAlertProc)(const char* message);

}  // extern "C"

#include "hostapi/pack_begin.h"

// Slot for slot as the host lays it out, up to the last slot the plug-in
// calls (the host's table has 25 entries).
struct ADMBasicSuite {
    /* 0 */ ADMGetIndexStringProc GetIndexString;
    /* 1 */ HostUnusedSlot Beep;
    /* 2 */ HostUnusedSlot ErrorAlert;
    /* 3 */ ADMMessageAlertProc MessageAlert;
};

#include "hostapi/pack_end.h"
