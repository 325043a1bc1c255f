// "AI Document View Suite": the views of the current document.
//
// The plug-in asks for the centre of the current view, in document
// coordinates, and places its symbol there.
#pragma once

#include "hostapi/host_types.h"

inline constexpr char kAIDocumentViewSuite[] = "AI Document View Suite";
inline constexpr ASInt32 kAIDocumentViewSuiteVersion = 7;

// A view of a document; null stands for the current view.
typedef struct AIDocumentView* AIDocumentViewHandle;

extern "C" {

// Writes the centre of `view` (null: the current view) in document
// coordinates, in points, into *center.
typedef ASErr(HOST_CALL* AIGetDocumentViewCenterProc)(AIDocumentViewHandle view,
                                                      ASRealPoint* center);

}  // extern "C"

#include "hostapi/pack_begin.h"

// Slot for slot as the host lays it out, up to the last slot the plug-in
// calls (the host's table has 27 entries). Slot 0 writes a whole rectangle.
struct AIDocumentViewSuite {
    /*  0 */ HostUnusedSlot GetDocumentViewBounds;
    /*  1 */ AIGetDocumentViewCenterProc GetDocumentViewCenter;
};

#include "hostapi/pack_end.h"
