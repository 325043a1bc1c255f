// "ADM Drawer Suite": the painting context of a draw procedure.
//
// The plug-in's preview takes the platform drawing port from the drawer and
// paints the symbol with the platform's own graphics calls.
#pragma once

#include "hostapi/adm_types.h"
#include "hostapi/host_types.h"

inline constexpr char kADMDrawerSuite[] = "ADM Drawer Suite";
inline constexpr int32_t kADMDrawerSuiteVersion = 3;

extern "C" {

// The drawing port of `drawer`, valid for the draw call that received it.
typedef ADMPortRef(HOST_CALL* ADMDrawerGetPortRefProc)(ADMDrawerRef drawer);

}  // extern "C"

struct ADMDrawerSuite {
    ADMDrawerGetPortRefProc GetPortRef;
};
