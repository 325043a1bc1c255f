// What the dialog tests and their drawing module share.
#pragma once

#include <cstdint>

#include "hostapi/adm_types.h"
#include "hostapi/sp_basic.h"

// "Test" / "Dialog": the module runs dialog `dialogId` modally and reports.
inline constexpr char kDrawingCaller[] = "Test";
inline constexpr char kDrawingDialogSelector[] = "Dialog";

// The dialogs of drawing.rc.
inline constexpr int32_t kDrawingSettingsDialog = 100;  // the settings dialog's frame and font
inline constexpr int32_t kDrawingSmallDialog = 101;     // MS Sans Serif 8 pt

// The colour item 3's draw procedure marks its top-left corner with, for the
// popup's selected entry `index` (-1: none).
inline constexpr uint32_t DrawingMarkColor(int32_t index) {
    return 0x00203000u | static_cast<uint32_t>(index + 1) * 0x10u;
}

struct DrawingDialogMessage {
    SPMessageData d;
    int32_t dialogId;
    int32_t result;  // what the modal run returned
    ADMRect rect;    // item 3's local rectangle, as its draw procedure saw it
    char log[1024];  // what happened, in order: "paint 3; notify 5 3; ..."
};
