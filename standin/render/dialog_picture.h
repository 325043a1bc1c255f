// The picture of a dialog as the user sees it, from its snapshot: the frame
// and caption with the title, then the client area with every item drawn in
// the classic look of Windows dialogs (texts in the substitute face of the
// dialog's font, laid out as dialog_layout.h places the items), and the
// pixels of user-drawn items copied from the dialog's surface unchanged.
#pragma once

#include <cstdint>

#include "standin/dialogs/dialog_snapshot.h"
#include "standin/dialogs/dialog_surface.h"

namespace standin {

// The frame around the client area on each side, and the caption bar with
// the line under it, in pixels: the client area's top left lies at
// (kPictureFrame, kPictureFrame + kPictureCaption) of the picture.
inline constexpr int32_t kPictureFrame = 3;
inline constexpr int32_t kPictureCaption = 19;

struct DialogPicture {
    PixelImage image;  // client area + 2 x kPictureFrame wide, + 2 x frame + caption high
    int32_t clientLeft = 0;
    int32_t clientTop = 0;
};

// Draws `snapshot`. Items lie in template order from the top down (the first
// item over the others), as Windows stacks a dialog's controls.
DialogPicture RenderDialogPicture(const DialogSnapshot& snapshot);

}  // namespace standin
