// The program's side of picture_module.h: the module's calls where the build
// has the module, else png_file.h's own (which, on Windows, say why not).
#include "standin/render/picture_module.h"

#if ORVELK_BACK_END_MODULES
#include "standin/export/cairo_module.h"
#include "standin/loading/back_end_module.h"
#else
#include "standin/render/png_file.h"
#endif

namespace standin {

#if ORVELK_BACK_END_MODULES

namespace {

const DialogPictureCalls* Pictures(std::string* why) {
    using Entry = const DialogPictureCalls* (*)();
    const auto entry =
        reinterpret_cast<Entry>(BackEndEntry(kDrawModuleFile, kDialogPictureEntry, why));
    return entry == nullptr ? nullptr : entry();
}

}  // namespace

bool SaveDialogPicture(const DialogSnapshot& snapshot, const std::string& path,
                       std::string* error) {
    const DialogPictureCalls* calls = Pictures(error);
    return calls != nullptr && calls->writeDialogPng(snapshot, path, error);
}

bool SaveItemPicture(const DialogSnapshot& snapshot, int32_t itemId, const std::string& path,
                     std::string* error) {
    const DialogPictureCalls* calls = Pictures(error);
    return calls != nullptr && calls->writeItemPng(snapshot, itemId, path, error);
}

#else

bool SaveDialogPicture(const DialogSnapshot& snapshot, const std::string& path,
                       std::string* error) {
    return WriteDialogPng(snapshot, path, error);
}

bool SaveItemPicture(const DialogSnapshot& snapshot, int32_t itemId, const std::string& path,
                     std::string* error) {
    return WriteItemPng(snapshot, itemId, path, error);
}

#endif

}  // namespace standin
