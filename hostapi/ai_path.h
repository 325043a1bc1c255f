// "AI Path Suite": the segments of path art.
//
// The plug-in gives each new path four corner segments and closes it: one
// rectangle per dark module of the symbol, and one for its quiet zone.
#pragma once

#include "hostapi/ai_art.h"
#include "hostapi/host_types.h"

inline constexpr char kAIPathSuite[] = "AI Path Suite";
inline constexpr ASInt32 kAIPathSuiteVersion = 5;

#include "hostapi/pack_begin.h"

// One anchor point of a path with its two control points.
struct AIPathSegment {
    ASRealPoint p;     // the anchor
    ASRealPoint in;    // control point of the curve arriving at p
    ASRealPoint out;   // control point of the curve leaving p
    ASBoolean corner;  // a corner point (the control points are independent)
};

#include "hostapi/pack_end.h"

extern "C" {

// Sets `count` segments of `path` from index `first` on, appending past its
// end.
typedef ASErr(HOST_CALL* AISetPathSegmentsProc)(AIArtHandle path, short first, short count,
                                                const AIPathSegment* segments);
// Closes (non-zero) or opens the path.
typedef ASErr(HOST_CALL* AISetPathClosedProc)(AIArtHandle path, ASBoolean closed);

}  // extern "C"

#include "hostapi/pack_begin.h"

// Slot for slot as the host lays it out, up to the last slot the plug-in
// calls (the host's table has 21 entries).
struct AIPathSuite {
    /*  0 */ HostUnusedSlot GetPathSegmentCount;
    /*  1 */ HostUnusedSlot SetPathSegmentCount;
    /*  2 */ HostUnusedSlot GetPathSegments;
    /*  3 */ AISetPathSegmentsProc SetPathSegments;
    /*  4 */ HostUnusedSlot InsertPathSegments;
    /*  5 */ HostUnusedSlot DeletePathSegments;
    /*  6 */ HostUnusedSlot GetPathClosed;
    /*  7 */ AISetPathClosedProc SetPathClosed;
};

#include "hostapi/pack_end.h"
