// "AI Path Suite": the segments of path art.
//
// The plug-in gives each new path four corner segments and closes it: one
// rectangle per dark module of the symbol, and one for its quiet zone.
#pragma once

#include "hostapi/ai_art.h"
#include "hostapi/host_types.h"

inline constexpr char kAIPathSuite[] = "AI Path Suite";
inline constexpr int32_t kAIPathSuiteVersion = 5;

// One anchor point of a path with its two control points. A straight side
// has both control points on the anchor.
struct AIPathSegment {
    ASRealPoint p;     // the anchor
    ASRealPoint in;    // control point of the curve arriving at p
    ASRealPoint out;   // control point of the curve leaving p
    ASBoolean corner;  // a corner point (the control points are independent)
};

extern "C" {

// Sets `count` segments of `path` from index `first` on, growing the path
// when they extend past its end.
typedef ASErr(HOST_CALL* AISetPathSegmentsProc)(AIArtHandle path, int16_t first, int16_t count,
                                                const AIPathSegment* segments);
// Closes or opens `path`.
typedef ASErr(HOST_CALL* AISetPathClosedProc)(AIArtHandle path, ASBoolean closed);

}  // extern "C"

struct AIPathSuite {
    AISetPathSegmentsProc SetPathSegments;
    AISetPathClosedProc SetPathClosed;
};
