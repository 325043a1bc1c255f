#include "standin/render/png_file.h"

#include <cairo.h>

#include "standin/render/dialog_picture.h"

namespace standin {

bool WritePixelsPng(const PixelImage& image, const std::string& path, std::string* error) {
    if (image.width < 1 || image.height < 1) {
        if (error != nullptr) *error = "there are no pixels to write";
        return false;
    }
    // cairo writes from a surface it may not change; a copy serves as one.
    PixelImage copy = image;
    cairo_surface_t* surface = cairo_image_surface_create_for_data(
        copy.bytes.data(), CAIRO_FORMAT_RGB24, copy.width, copy.height, copy.width * 4);
    const cairo_status_t status = cairo_surface_write_to_png(surface, path.c_str());
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        if (error != nullptr)
            *error = "cannot write '" + path + "': " + cairo_status_to_string(status);
        return false;
    }
    return true;
}

bool WriteDialogPng(const DialogSnapshot& snapshot, const std::string& path, std::string* error) {
    return WritePixelsPng(RenderDialogPicture(snapshot).image, path, error);
}

bool WriteItemPng(const DialogSnapshot& snapshot, int32_t itemId, const std::string& path,
                  std::string* error) {
    if (FindSnapshotItem(snapshot, itemId) == nullptr) {
        if (error != nullptr)
            *error = "dialog " + std::to_string(snapshot.dialogId) + " has no item " +
                     std::to_string(itemId);
        return false;
    }
    return WritePixelsPng(SnapshotItemPixels(snapshot, itemId), path, error);
}

}  // namespace standin
