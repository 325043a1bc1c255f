// Watching and steering the GDI layer, for tests and the host stand-in:
// the log of calls, the objects alive, fault injection and a reset. Not a
// Windows call; the plug-in never includes this header.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/win_gdi.h"

// One GDI call as the log keeps it. Handles read "mdc4" (a memory device
// context), "sdc5" (a surface device context), "bm6" (a bitmap), "br7" (a
// brush), the stock objects "bm0" (1 x 1 monochrome) and "br1" (white),
// "NULL", or "bad:" and the value for anything that was not a live object when
// the call began. The numbers are table slots, so a reset log reads the same
// on every run.
struct GdiCall {
    std::string name;    // "FillRect"
    std::string args;    // "mdc4, {0,0,87,87}, br7"
    std::string result;  // "1"
};

// Live objects, stock objects not counted.
struct GdiCounts {
    int memoryDCs = 0;
    int surfaceDCs = 0;
    int bitmaps = 0;
    int brushes = 0;
    int selectedBitmaps = 0;  // bitmaps selected into some device context
    int dcsNotRestored = 0;   // device contexts not holding their first bitmap and brush
};

// Switches the call log on or off; switching it on empties it.
ORVELK_PLATFORM_CXX_API void GdiSetCallLog(bool on);

// The calls logged since the log was switched on, in order.
ORVELK_PLATFORM_CXX_API std::vector<GdiCall> GdiCallLog();

// One line per call: "name(args) = result".
ORVELK_PLATFORM_CXX_API std::string GdiCallLogText();

// What is alive now.
ORVELK_PLATFORM_CXX_API GdiCounts GdiLiveCounts();

// Makes the k-th object allocation from now fail (1 = the next one) as when
// memory runs out; 0 stops failing. Allocations are counted by
// GdiAllocationCount.
ORVELK_PLATFORM_CXX_API void GdiFailAllocation(unsigned k);
ORVELK_PLATFORM_CXX_API unsigned GdiAllocationCount();

// The most pixel bytes all bitmaps may hold together (512 MiB at first); a
// bitmap beyond it is not made.
ORVELK_PLATFORM_CXX_API void GdiSetPixelBudget(size_t bytes);

// Whether GetDIBits and SetDIBits accept a bitmap selected into a device
// context. Off at first, as the calls are documented; Windows NT in fact
// accepts one.
ORVELK_PLATFORM_CXX_API void GdiAllowDIBitsOnSelected(bool allow);

// Forgets every object and device context (surface ones included), empties
// and switches off the log and restores every setting above.
ORVELK_PLATFORM_CXX_API void GdiReset();
