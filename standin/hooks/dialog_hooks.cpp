#include "standin/hooks/dialog_hooks.h"

#include <map>
#include <utility>

namespace standin {
namespace {

std::function<void(ADMDialogRef)>& ModalHook() {
    static std::function<void(ADMDialogRef)> hook;
    return hook;
}

struct ItemCounts {
    bool on = false;
    std::map<std::pair<int32_t, int32_t>, ItemCallCounts> byItem;  // (dialog, item)
};

ItemCounts& Counts() {
    static ItemCounts counts;
    return counts;
}

}  // namespace

void DuringNextModalDialog(std::function<void(ADMDialogRef)> during) {
    ModalHook() = std::move(during);
}

std::function<void(ADMDialogRef)> TakeModalDialogHook() {
    return std::exchange(ModalHook(), nullptr);
}

void CountItemCalls(bool on) {
    ItemCounts& counts = Counts();
    if (on) counts.byItem.clear();
    counts.on = on;
}

ItemCallCounts CountedItemCalls(int32_t dialogId, int32_t itemId) {
    const auto& byItem = Counts().byItem;
    const auto it = byItem.find({dialogId, itemId});
    return it != byItem.end() ? it->second : ItemCallCounts();
}

void CountItemCall(ItemCall call, int32_t dialogId, int32_t itemId, int32_t value) {
    ItemCounts& counts = Counts();
    if (!counts.on) return;
    ItemCallCounts& item = counts.byItem[{dialogId, itemId}];
    switch (call) {
        case ItemCall::kSetText:
            ++item.textWrites;
            break;
        case ItemCall::kInvalidate:
            ++item.invalidations;
            break;
        case ItemCall::kSetMaxTextLength:
            item.maxTextLength = value;
            break;
    }
}

}  // namespace standin
