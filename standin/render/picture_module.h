// The boundary between the program and the back-end module orvelk-draw.so
// for pictures of dialogs (cairo and pango): the program saves pictures
// through these calls, which load the module on first use, so that only a
// command that writes a picture loads the renderers.
#pragma once

#include <cstdint>
#include <string>

#include "standin/dialogs/dialog_snapshot.h"

namespace standin {

// The module's calls: those of png_file.h.
struct DialogPictureCalls {
    bool (*writeDialogPng)(const DialogSnapshot& snapshot, const std::string& path,
                           std::string* error);
    bool (*writeItemPng)(const DialogSnapshot& snapshot, int32_t itemId, const std::string& path,
                         std::string* error);
};

// WriteDialogPng of png_file.h, in the module. False with the reason when
// the module cannot be loaded or the picture cannot be written.
bool SaveDialogPicture(const DialogSnapshot& snapshot, const std::string& path,
                       std::string* error);

// WriteItemPng of png_file.h, in the module.
bool SaveItemPicture(const DialogSnapshot& snapshot, int32_t itemId, const std::string& path,
                     std::string* error);

}  // namespace standin

// The module's entry point (picture_module_entry.cpp) and its name.
inline constexpr char kDialogPictureEntry[] = "OrvelkDialogPictureCalls";
extern "C" const standin::DialogPictureCalls* OrvelkDialogPictureCalls();
