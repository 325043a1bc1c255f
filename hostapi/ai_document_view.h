// "AI Document View Suite": the views of the current document.
//
// The plug-in asks for the centre of the current view, in document
// coordinates, and places its symbol there.
#pragma once

#include "hostapi/host_types.h"

inline constexpr char kAIDocumentViewSuite[] = "AI Document View Suite";
inline constexpr int32_t kAIDocumentViewSuiteVersion = 7;

// A view of a document; null means the current view.
typedef struct AIDocumentView* AIDocumentViewHandle;

extern "C" {

// The centre of `view` (null: the current view) in document coordinates, in
// points, v growing upwards. An error when no document is open.
typedef ASErr(HOST_CALL* AIGetDocumentViewCenterProc)(AIDocumentViewHandle view,
                                                      ASRealPoint* center);

}  // extern "C"

struct AIDocumentViewSuite {
    AIGetDocumentViewCenterProc GetDocumentViewCenter;
};
