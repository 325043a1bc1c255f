#include "standin/dialogs/adm_suites.h"

#include <algorithm>
#include <cstring>

#include "standin/dialogs/adm_objects.h"
#include "standin/dialogs/dialog_manager.h"
#include "standin/host/host_errors.h"
#include "standin/hooks/host_hooks.h"
#include "standin/host/host_transcript.h"
#include "standin/host/slot_traps.h"
#include "standin/host/suite_registry.h"

namespace standin {
namespace {

// Copies at most `maxLength` bytes of `text` into `buffer` and a NUL after
// them, cut without splitting a character. Nothing for a null buffer or a
// negative length.
void CopyOut(const std::string& text, char* buffer, int64_t maxLength) {
    if (buffer == nullptr || maxLength < 0) return;
    const size_t n = WholeCharacterPrefix(text, static_cast<size_t>(maxLength));
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

// The item, list or entry behind `ref`, counting the call; null when the
// handle is not alive or when the call is to fail (host_hooks.h): a failing
// call does what it does for a dead handle.
AdmItem* LiveItem(ADMItemRef ref, const char* call = __builtin_FUNCTION()) {
    return CountHostCall(HostCall::kADMItem, call) != kSPNoError ? nullptr : FromRef(ref);
}
AdmList* LiveList(ADMListRef ref, const char* call = __builtin_FUNCTION()) {
    return CountHostCall(HostCall::kADMList, call) != kSPNoError ? nullptr : FromRef(ref);
}
AdmEntry* LiveEntry(ADMEntryRef ref, const char* call = __builtin_FUNCTION()) {
    return CountHostCall(HostCall::kADMList, call) != kSPNoError ? nullptr : FromRef(ref);
}

// ADM Dialog Suite.

ADMItemRef HOST_CALL DialogGetItem(ADMDialogRef ref, ASInt32 itemID) {
    AdmDialog* dialog = FromRef(ref);
    AdmItem* item = nullptr;
    if (dialog != nullptr) {
        // The aliases of the default and the cancel button.
        if (itemID == kADMDefaultItemID)
            item = DefaultButtonOf(dialog);
        else
            item = FindItem(dialog, itemID == kADMCancelItemID ? kCancelButtonID : itemID);
    }
    return item != nullptr ? RefOf(item) : nullptr;
}

ADMUserData HOST_CALL DialogGetUserData(ADMDialogRef ref) {
    AdmDialog* dialog = FromRef(ref);
    return dialog != nullptr ? dialog->userData : nullptr;
}

void HOST_CALL DialogSetUserData(ADMDialogRef ref, ADMUserData userData) {
    if (AdmDialog* dialog = FromRef(ref)) dialog->userData = userData;
}

ASBoolean HOST_CALL DialogEndModal(ADMDialogRef ref, ASInt32 resultID, ASBoolean /*cancelling*/) {
    // No entry of the stand-in's dialogs validates its text: ending never
    // fails for a live dialog.
    if (FromRef(ref) == nullptr) return kASFalse;
    EndModalDialog(ref, resultID);
    return kASTrue;
}

// ADM Item Suite.

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
    InvalidateItem(LiveItem(ref));
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

// ADM List Suite.

ADMEntryRef HOST_CALL ListInsertEntry(ADMListRef ref, int32_t index) {
    AdmList* list = LiveList(ref);
    if (list == nullptr) return nullptr;
    AdmEntry* entry = InsertEntry(list, index);
    ItemStateChanged(list->item);
    return RefOf(entry);
}

ADMEntryRef HOST_CALL ListIndexEntry(ADMListRef ref, int32_t index) {
    AdmList* list = LiveList(ref);
    if (list == nullptr || index < 0 || static_cast<size_t>(index) >= list->entries.size())
        return nullptr;
    return RefOf(list->entries[static_cast<size_t>(index)].get());
}

ADMEntryRef HOST_CALL ListGetActiveEntry(ADMListRef ref) {
    AdmList* list = LiveList(ref);
    AdmEntry* entry = list != nullptr ? ActiveEntry(list) : nullptr;
    return entry != nullptr ? RefOf(entry) : nullptr;
}

int32_t HOST_CALL ListNumberOfEntries(ADMListRef ref) {
    AdmList* list = LiveList(ref);
    return list != nullptr ? static_cast<int32_t>(list->entries.size()) : 0;
}

// ADM Entry Suite.

int32_t HOST_CALL EntryGetIndex(ADMEntryRef ref) {
    AdmEntry* entry = LiveEntry(ref);
    return entry != nullptr ? EntryIndex(entry) : -1;
}

void HOST_CALL EntrySelect(ADMEntryRef ref, ASBoolean select) {
    if (AdmEntry* entry = LiveEntry(ref)) {
        SelectEntry(entry, select != 0);
        ItemStateChanged(entry->list->item);
    }
}

ASBoolean HOST_CALL EntryIsSelected(ADMEntryRef ref) {
    AdmEntry* entry = LiveEntry(ref);
    return entry != nullptr && entry->selected ? kASTrue : kASFalse;
}

void HOST_CALL EntrySetText(ADMEntryRef ref, const char* text) {
    if (AdmEntry* entry = LiveEntry(ref)) {
        entry->text = text != nullptr ? text : "";
        ItemStateChanged(entry->list->item);
    }
}

void HOST_CALL EntryEnable(ADMEntryRef ref, ASBoolean enable) {
    if (AdmEntry* entry = LiveEntry(ref)) {
        entry->enabled = enable != 0;
        ItemStateChanged(entry->list->item);
    }
}

void HOST_CALL EntryMakeSeparator(ADMEntryRef ref, ASBoolean separator) {
    if (AdmEntry* entry = LiveEntry(ref)) {
        entry->separator = separator != 0;
        ItemStateChanged(entry->list->item);
    }
}

// ADM Drawer Suite.

ADMPortRef HOST_CALL DrawerGetPortRef(ADMDrawerRef drawer) {
    return DrawerPort(drawer);
}

// ADM Basic Suite.

void HOST_CALL BasicMessageAlert(const char* message) {
    TranscriptEntry entry;
    entry.kind = TranscriptEntry::Kind::kAlert;
    entry.text = message != nullptr ? message : "";
    AddTranscriptEntry(std::move(entry));
}

ASErr HOST_CALL BasicGetIndexString(SPPluginRef self, ASInt32 stringID, ASInt32 index, char* text,
                                    ASInt32 maxLength) {
    // The length counts the NUL.
    if (text == nullptr || maxLength <= 0) return kSPBadParameterError;
    text[0] = '\0';
    Plugin* plugin = FindPlugin(self);
    if (plugin == nullptr) return kSPBadParameterError;
    // String ids are 16 bits.
    const int64_t id = static_cast<int64_t>(stringID) + index;
    if (id < 0 || id > 0xFFFF) return kStandinNoSuchStringError;
    const std::optional<std::string> string = plugin->resources->String(static_cast<int32_t>(id));
    if (!string || string->empty()) return kStandinNoSuchStringError;
    CopyOut(*string, text, static_cast<int64_t>(maxLength) - 1);
    return kSPNoError;
}

}  // namespace

const ADMDialogSuite* StandinADMDialogSuite() {
    static const ADMDialogSuite suite = [] {
        ADMDialogSuite s = TrappedSuite<ADMDialogSuite>(kADMDialogSuiteVersion);
        s.Modal = RunModalDialog;
        s.SetUserData = DialogSetUserData;
        s.GetUserData = DialogGetUserData;
        s.GetItem = DialogGetItem;
        s.EndModal = DialogEndModal;
        return s;
    }();
    return &suite;
}

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

const ADMListSuite* StandinADMListSuite() {
    static const ADMListSuite suite = [] {
        ADMListSuite s = TrappedSuite<ADMListSuite>(kADMListSuiteVersion);
        s.InsertEntry = ListInsertEntry;
        s.IndexEntry = ListIndexEntry;
        s.GetActiveEntry = ListGetActiveEntry;
        s.NumberOfEntries = ListNumberOfEntries;
        return s;
    }();
    return &suite;
}

const ADMEntrySuite* StandinADMEntrySuite() {
    static const ADMEntrySuite suite = [] {
        ADMEntrySuite s = TrappedSuite<ADMEntrySuite>(kADMEntrySuiteVersion);
        s.GetIndex = EntryGetIndex;
        s.Select = EntrySelect;
        s.IsSelected = EntryIsSelected;
        s.Enable = EntryEnable;
        s.MakeSeparator = EntryMakeSeparator;
        s.SetText = EntrySetText;
        return s;
    }();
    return &suite;
}

const ADMDrawerSuite* StandinADMDrawerSuite() {
    static const ADMDrawerSuite suite = [] {
        ADMDrawerSuite s = TrappedSuite<ADMDrawerSuite>(kADMDrawerSuiteVersion);
        s.GetPortRef = DrawerGetPortRef;
        return s;
    }();
    return &suite;
}

const ADMBasicSuite* StandinADMBasicSuite() {
    static const ADMBasicSuite suite = [] {
        ADMBasicSuite s = TrappedSuite<ADMBasicSuite>(kADMBasicSuiteVersion);
        s.GetIndexString = BasicGetIndexString;
        s.MessageAlert = BasicMessageAlert;
        return s;
    }();
    return &suite;
}

void RegisterDialogSuites() {
    RegisterStandinSuite(kADMDialogSuite, kADMDialogSuiteVersion, StandinADMDialogSuite());
    RegisterStandinSuite(kADMItemSuite, kADMItemSuiteVersion, StandinADMItemSuite());
    RegisterStandinSuite(kADMListSuite, kADMListSuiteVersion, StandinADMListSuite());
    RegisterStandinSuite(kADMEntrySuite, kADMEntrySuiteVersion, StandinADMEntrySuite());
    RegisterStandinSuite(kADMDrawerSuite, kADMDrawerSuiteVersion, StandinADMDrawerSuite());
    RegisterStandinSuite(kADMBasicSuite, kADMBasicSuiteVersion, StandinADMBasicSuite());
}

}  // namespace standin
