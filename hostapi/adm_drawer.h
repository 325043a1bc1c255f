// "ADM Drawer Suite": what a draw procedure paints with.
//
// The plug-in's preview takes the drawer's port, the platform's device
// context, and paints on it with GDI.
#pragma once

#include "hostapi/adm_types.h"
#include "hostapi/host_types.h"

inline constexpr char kADMDrawerSuite[] = "ADM Drawer Suite";
inline constexpr ASInt32 kADMDrawerSuiteVersion = 3;

extern "C" {

// The drawer's port: the device context (HDC) to paint on.
typedef ADMPortRef(HOST_CALL* ADMDrawerGetPortRefProc)(ADMDrawerRef drawer);

}  // extern "C"

#include "hostapi/pack_begin.h"

// Slot for slot as the host lays it out, up to the last slot the plug-in
// calls (the host's table has 63 entries).
struct ADMDrawerSuite {
    /* 0 */ ADMDrawerGetPortRefProc GetPortRef;
};

#include "hostapi/pack_end.h"
