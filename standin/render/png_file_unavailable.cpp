// The PNG files of png_file.h in a build without cairo (Windows, 32-bit Linux): every call
// fails and says so; the commands refuse the options that would ask first.
#include "standin/render/png_file.h"

namespace standin {
namespace {

constexpr char kNoPictures[] = "this build draws no pictures (it has no cairo or pango)";

}  // namespace

bool WritePixelsPng(const PixelImage&, const std::string&, std::string* error) {
    if (error != nullptr) *error = kNoPictures;
    return false;
}

bool WriteDialogPng(const DialogSnapshot&, const std::string&, std::string* error) {
    if (error != nullptr) *error = kNoPictures;
    return false;
}

bool WriteItemPng(const DialogSnapshot&, int32_t, const std::string&, std::string* error) {
    if (error != nullptr) *error = kNoPictures;
    return false;
}

}  // namespace standin
