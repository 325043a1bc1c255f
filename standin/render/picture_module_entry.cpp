// The module's side of picture_module.h: the table of orvelk-draw.so.
#include "standin/render/picture_module.h"
#include "standin/render/png_file.h"

namespace {
constexpr standin::DialogPictureCalls kCalls = {standin::WriteDialogPng, standin::WriteItemPng};
}

extern "C" const standin::DialogPictureCalls* OrvelkDialogPictureCalls() {
    return &kCalls;
}
