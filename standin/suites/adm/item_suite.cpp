#include "standin/suites/adm/adm_suites.h"

#include <algorithm>

#include "standin/hooks/dialog_hooks.h"
#include "standin/suites/adm/adm_objects.h"
#include "standin/suites/adm/dialog_manager.h"
#include "standin/suites/adm/suite_calls.h"
#include "standin/host/slot_traps.h"

namespace standin {
namespace {

ADMDialogRef HOST_CALL ItemGetDialog(ADMItemRef ref) {
    AdmItem* item = LiveItem(ref);
    return item != nullptr ? RefOf(item->dialog) : nullptr;
}

int32_t HOST_CALL ItemGetID(ADMItemRef ref) {
    AdmItem* item = LiveItem(ref);
    return item != nullptr ? item->id : 0;
}

void HOST_CALL ItemSetText(ADMItemRef ref, const char* text) {
    if (AdmItem* item = LiveItem(ref)) {
        CountItemCall(ItemCall::kSetText, item->dialog->resourceId, item->id);
        item->text = text != nullptr ? text : "";
        item->typedLast = false;
        ItemStateChanged(item);
        InvalidateItem(item);
    }
}

void HOST_CALL ItemGetText(ADMItemRef ref, char* text, ASInt32 maxLength) {
    AdmItem* item = LiveItem(ref);
    CopyOut(item != nullptr ? item->text : std::string(), text, maxLength);
}

ASInt32 HOST_CALL ItemGetTextLength(ADMItemRef ref) {
    AdmItem* item = LiveItem(ref);
    return item != nullptr ? static_cast<ASInt32>(item->text.size()) : 0;
}

void HOST_CALL ItemSetMaxTextLength(ADMItemRef ref, int32_t length) {
    if (AdmItem* item = LiveItem(ref)) {
        CountItemCall(ItemCall::kSetMaxTextLength, item->dialog->resourceId, item->id, length);
        item->maxTextLength = std::max<int32_t>(length, -1);
        ItemStateChanged(item);
    }
}

int32_t HOST_CALL ItemGetIntValue(ADMItemRef ref) {
    AdmItem* item = LiveItem(ref);
    return item != nullptr ? item->intValue : 0;
}

void HOST_CALL ItemSetIntValue(ADMItemRef ref, int32_t value) {
    if (AdmItem* item = LiveItem(ref)) {
        item->intValue = value;
        ItemStateChanged(item);
        InvalidateItem(item);
    }
}

ADMListRef HOST_CALL ItemGetList(ADMItemRef ref) {
    AdmItem* item = LiveItem(ref);
    return item != nullptr && item->list != nullptr ? RefOf(item->list.get()) : nullptr;
}

void HOST_CALL ItemSetNotifyProc(ADMItemRef ref, ADMItemNotifyProc proc) {
    if (AdmItem* item = LiveItem(ref)) item->notify = proc;
}

void HOST_CALL ItemDefaultNotify(ADMItemRef ref, ADMNotifierRef /*notifier*/) {
    if (LiveItem(ref) != nullptr) DefaultNotifyItem(ref);
}

void HOST_CALL ItemSetDrawProc(ADMItemRef ref, ADMItemDrawProc proc) {
    if (AdmItem* item = LiveItem(ref)) {
        item->draw = proc;
        InvalidateItem(item);
    }
}

void HOST_CALL ItemDefaultDraw(ADMItemRef ref, ADMDrawerRef /*drawer*/) {
    // The stand-in draws nothing of its own.
    (void)LiveItem(ref);
}

void HOST_CALL ItemInvalidate(ADMItemRef ref) {
    AdmItem* item = LiveItem(ref);
    if (item != nullptr)
        CountItemCall(ItemCall::kInvalidate, item->dialog->resourceId, item->id);
    InvalidateItem(item);
}

void HOST_CALL ItemGetLocalRect(ADMItemRef ref, ADMRect* rect) {
    AdmItem* item = LiveItem(ref);
    if (rect == nullptr) return;
    *rect = item != nullptr ? LocalRect(item) : ADMRect{};
}

ADMUserData HOST_CALL ItemGetUserData(ADMItemRef ref) {
    AdmItem* item = LiveItem(ref);
    return item != nullptr ? item->userData : nullptr;
}

void HOST_CALL ItemSetUserData(ADMItemRef ref, ADMUserData userData) {
    if (AdmItem* item = LiveItem(ref)) item->userData = userData;
}

}  // namespace

const ADMItemSuite* StandinADMItemSuite() {
    static const ADMItemSuite suite = [] {
        ADMItemSuite s = TrappedSuite<ADMItemSuite>(kADMItemSuiteVersion);
        s.SetDrawProc = ItemSetDrawProc;
        s.DefaultDraw = ItemDefaultDraw;
        s.SetNotifyProc = ItemSetNotifyProc;
        s.DefaultNotify = ItemDefaultNotify;
        s.SetUserData = ItemSetUserData;
        s.GetUserData = ItemGetUserData;
        s.GetID = ItemGetID;
        s.GetDialog = ItemGetDialog;
        s.GetList = ItemGetList;
        s.GetLocalRect = ItemGetLocalRect;
        s.Invalidate = ItemInvalidate;
        s.SetText = ItemSetText;
        s.GetText = ItemGetText;
        s.GetTextLength = ItemGetTextLength;
        s.SetMaxTextLength = ItemSetMaxTextLength;
        s.SetIntValue = ItemSetIntValue;
        s.GetIntValue = ItemGetIntValue;
        return s;
    }();
    return &suite;
}

}  // namespace standin
