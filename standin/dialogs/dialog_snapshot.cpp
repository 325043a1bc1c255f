#include "standin/dialogs/dialog_snapshot.h"

namespace standin {

const SnapshotItem* FindSnapshotItem(const DialogSnapshot& snapshot, int32_t id) {
    for (const SnapshotItem& item : snapshot.items)
        if (item.id == id) return &item;
    return nullptr;
}

PixelImage SnapshotItemPixels(const DialogSnapshot& snapshot, int32_t id) {
    const SnapshotItem* item = FindSnapshotItem(snapshot, id);
    if (item == nullptr) return PixelImage();
    return CropPixels(snapshot.surface, item->rect);
}

}  // namespace standin
