#include "standin/render/png_file.h"

#include <cairo.h>

#include "standin/files/replace_file.h"
#include "standin/render/dialog_picture.h"

namespace standin {

namespace {

// cairo's PNG stream writer: appends to the string it is handed.
cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

}  // namespace

bool WritePixelsPng(const PixelImage& image, const std::string& path, std::string* error) {
    if (image.width < 1 || image.height < 1) {
        if (error != nullptr) *error = "there are no pixels to write";
        return false;
    }
    // cairo writes from a surface it may not change; a copy serves as one.
    PixelImage copy = image;
    cairo_surface_t* surface = cairo_image_surface_create_for_data(
        copy.bytes.data(), CAIRO_FORMAT_RGB24, copy.width, copy.height, copy.width * 4);
    std::string bytes;
    const cairo_status_t status = cairo_surface_write_to_png_stream(surface, AppendBytes, &bytes);
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        if (error != nullptr)
            *error = "cannot write '" + path + "': " + cairo_status_to_string(status);
        return false;
    }
    // A file of an earlier run stays whole until the new one is.
    return ReplaceFileWith(path, bytes, error);
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
