// PNG files of dialog pictures and of pixels, for commands and tests.
#pragma once

#include <cstdint>
#include <string>

#include "standin/dialogs/dialog_snapshot.h"
#include "standin/dialogs/dialog_surface.h"

namespace standin {

// Writes `image` to `path` (this machine's) as an 8-bit RGB PNG, pixel for
// pixel, replacing an earlier file only once the new one is complete. False
// with the reason in *error when the image has no pixels or the file cannot
// be written (an earlier file is then left as it was).
bool WritePixelsPng(const PixelImage& image, const std::string& path, std::string* error);

// Writes the picture of `snapshot` (RenderDialogPicture) to `path`.
bool WriteDialogPng(const DialogSnapshot& snapshot, const std::string& path, std::string* error);

// Writes the pixels of item `itemId`'s whole rectangle (SnapshotItemPixels)
// to `path`; false when the snapshot has no such item.
bool WriteItemPng(const DialogSnapshot& snapshot, int32_t itemId, const std::string& path,
                  std::string* error);

}  // namespace standin
