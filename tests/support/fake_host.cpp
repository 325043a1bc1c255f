#include "tests/support/fake_host.h"

#if defined(_WIN32)
#include "platform/win_types.h"
#else
#include <iconv.h>
#endif
#include <strings.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/win_path.h"
#include "shell/plugin_main.h"

FakeHost* gFakeHost = nullptr;

namespace {

FakeHost& Host() {
    if (gFakeHost == nullptr) std::abort();
    return *gFakeHost;
}

// ---- Basic suite ----

// Stand-ins for the suites the plug-in never calls: a distinct address each.
std::map<std::string, int> gOtherSuites;

ASErr HOST_CALL AcquireSuite(const char* name, int32_t version, const void** suite) {
    FakeHost& host = Host();
    const std::string key = name;
    host.acquired.push_back(key + " " + std::to_string(version));
    auto failure = host.acquireFailures.find(key);
    if (failure != host.acquireFailures.end()) {
        *suite = reinterpret_cast<const void*>(0xBAD);  // what a failing host may leave
        return failure->second;
    }
    ++host.held[key];
    if (key == kSPBlocksSuite) {
        *suite = FakeBlocksSuite();
    } else if (key == kAIRuntimeSuite) {
        *suite = FakeRuntimeSuite();
    } else if (key == kAIUserSuite) {
        *suite = FakeUserSuite();
    } else if (key == kADMBasicSuite) {
        *suite = FakeADMBasicSuite();
    } else if (key == kADMDialogSuite) {
        *suite = FakeADMDialogSuite();
    } else if (key == kADMItemSuite) {
        *suite = FakeADMItemSuite();
    } else if (key == kADMListSuite) {
        *suite = FakeADMListSuite();
    } else if (key == kADMEntrySuite) {
        *suite = FakeADMEntrySuite();
    } else if (key == kADMDrawerSuite) {
        *suite = FakeADMDrawerSuite();
    } else if (key == kAIFilterSuite) {
        static const AIFilterSuite filter = [] {
            AIFilterSuite s = {};
            s.AddFilter = [](SPPluginRef self, const char* filterName,
                             const AIPlatformAddFilterData* data, ASInt32 options,
                             AIFilterHandle* handle) -> ASErr {
                FakeHost& h = Host();
                ++h.addFilterCalls;
                h.addFilter.self = self;
                h.addFilter.name = filterName;
                h.addFilter.category.assign(reinterpret_cast<const char*>(data->category),
                                            data->category[0] + 1u);
                h.addFilter.title.assign(reinterpret_cast<const char*>(data->title),
                                         data->title[0] + 1u);
                h.addFilter.options = options;
                if (h.addFilterError != kSPNoError) return h.addFilterError;
                *handle = kFakeFilter;
                return kSPNoError;
            };
            s.GetFilterMenuItem = [](AIFilterHandle handle, AIMenuItemHandle* item) -> ASErr {
                Host().menuItemRequests.push_back(handle);
                *item = reinterpret_cast<AIMenuItemHandle>(0x3E4);
                return Host().menuItemError;
            };
            return s;
        }();
        *suite = &filter;
    } else if (key == kAIMenuSuite) {
        static const AIMenuSuite menu = [] {
            AIMenuSuite s = {};
            s.UpdateMenuItemAutomatically = [](AIMenuItemHandle item, ASInt32 action, ASInt32 a,
                                               ASInt32 b, ASInt32 c, ASInt32 d,
                                               ASInt32 conditionsTrue,
                                               ASInt32 conditionsFalse) -> ASErr {
                Host().autoUpdates.push_back(
                    {static_cast<int32_t>(reinterpret_cast<intptr_t>(item)), action, a, b, c, d,
                     conditionsTrue, conditionsFalse});
                return Host().autoUpdateError;
            };
            return s;
        }();
        *suite = &menu;
    } else if (key == kAIActionManagerSuite) {
        static const AIActionManagerSuite actions = [] {
            AIActionManagerSuite s = {};
            s.NewActionParamType = [](AIActionParamTypeRef* type) -> ASErr {
                *type = Host().newTypeGivesNull ? nullptr
                                                : reinterpret_cast<AIActionParamTypeRef>(0x7E);
                return kSPNoError;
            };
            s.DeleteActionParamType = [](AIActionParamTypeRef type) -> ASErr {
                Host().deletedTypes.push_back(type);
                return kSPNoError;
            };
            s.SetTypeKey = [](AIActionParamTypeRef, ActionParamKeyID key, const char* name,
                              ActionParamTypeID type, ASBoolean shown) -> ASErr {
                Host().typeKeys.push_back({key, name, type, shown});
                return kSPNoError;
            };
            s.RegisterActionEvent = [](const char* eventName, const char* title, int version,
                                       int flags, AIActionCallbackProc callback,
                                       SPPluginRef self, ActionUserData userData,
                                       AIActionParamTypeRef type) -> ASErr {
                FakeHost& h = Host();
                ++h.registerCalls;
                h.registration = {eventName,           title, version,  flags,
                                  callback != nullptr, self,  userData, type};
                return h.registerEventError;
            };
            // The Actions palette never records, and the fake keeps no values:
            // a playback reads none.
            s.InRecordMode = []() -> ASBoolean { return kASFalse; };
            s.GetInteger = [](AIActionParamValueRef, ActionParamKeyID, int32_t*) -> ASErr {
                return kSPBadParameterError;
            };
            s.GetReal = [](AIActionParamValueRef, ActionParamKeyID, ASReal*) -> ASErr {
                return kSPBadParameterError;
            };
            s.GetString = [](AIActionParamValueRef, ActionParamKeyID, char* buffer) -> ASErr {
                buffer[0] = '\0';
                return kSPBadParameterError;
            };
            return s;
        }();
        *suite = &actions;
    } else if (key == kAIDocumentViewSuite) {
        static const AIDocumentViewSuite view = [] {
            AIDocumentViewSuite s = {};
            s.GetDocumentViewCenter = [](AIDocumentViewHandle, ASRealPoint* center) -> ASErr {
                *center = {0, 0};
                return kSPNoError;
            };
            return s;
        }();
        *suite = &view;
    } else if (key == kAIArtSuite) {
        static const AIArtSuite art = {
            .NewArt = [](AIArtType, AIPaintOrder, AIArtHandle, AIArtHandle* made) -> ASErr {
                *made = reinterpret_cast<AIArtHandle>(static_cast<uintptr_t>(++Host().artCalls));
                return kSPNoError;
            },
        };
        *suite = &art;
    } else if (key == kAIPathSuite) {
        static const AIPathSuite path = [] {
            AIPathSuite s = {};
            s.SetPathSegments = [](AIArtHandle, short, short, const AIPathSegment*) -> ASErr {
                ++Host().artCalls;
                return kSPNoError;
            };
            s.SetPathClosed = [](AIArtHandle, ASBoolean) -> ASErr {
                ++Host().artCalls;
                return kSPNoError;
            };
            return s;
        }();
        *suite = &path;
    } else if (key == kAIPathStyleSuite) {
        static const AIPathStyleSuite style = [] {
            AIPathStyleSuite s = {};
            s.SetPathStyle = [](AIArtHandle, const AIPathStyle*) -> ASErr {
                ++Host().artCalls;
                return kSPNoError;
            };
            return s;
        }();
        *suite = &style;
    } else {
        *suite = &gOtherSuites[key];
    }
    return kSPNoError;
}

ASErr HOST_CALL ReleaseSuite(const char* name, int32_t version) {
    FakeHost& host = Host();
    const std::string key = name;
    host.released.push_back(key + " " + std::to_string(version));
    auto failure = host.releaseFailures.find(key);
    if (failure != host.releaseFailures.end()) return failure->second;
    if (--host.held[key] == 0) host.held.erase(key);
    return kSPNoError;
}

ASBoolean HOST_CALL IsEqual(const char* a, const char* b) {
    FakeHost& host = Host();
    host.comparisons.emplace_back(a, b);
    const int order = host.caseInsensitiveIsEqual ? strcasecmp(a, b) : std::strcmp(a, b);
    return order == 0 ? kASTrue : kASFalse;
}

// ---- ADM dialogs ----

// The dialogs running now, innermost last, as indices into FakeHost::modals.
std::vector<size_t> gRunning;

ADMDialogRef DialogRef(size_t level) {
    return reinterpret_cast<ADMDialogRef>(static_cast<uintptr_t>(0xD000 + level));
}
size_t DialogLevel(ADMDialogRef dialog) {
    return static_cast<size_t>(reinterpret_cast<uintptr_t>(dialog) - 0xD000);
}
ADMItemRef ItemRef(int32_t id) {
    return reinterpret_cast<ADMItemRef>(static_cast<uintptr_t>(0x1000 + id));
}
int32_t ItemID(ADMItemRef item) {
    return static_cast<int32_t>(reinterpret_cast<uintptr_t>(item) - 0x1000);
}
ADMListRef ListRef(int32_t id) {
    return reinterpret_cast<ADMListRef>(static_cast<uintptr_t>(0x2000 + id));
}
int32_t ListItemID(ADMListRef list) {
    return static_cast<int32_t>(reinterpret_cast<uintptr_t>(list) - 0x2000);
}
RecordedModal& Current() {
    if (gRunning.empty()) std::abort();
    return Host().modals.at(gRunning.back());
}
FakeItem& ItemOf(ADMItemRef item) {
    return Current().items[ItemID(item)];
}

void Log(const std::string& call) {
    Host().admCalls.push_back(call);
}

// Where an entry of the running dialog is: its item and index.
struct EntryPlace {
    int32_t itemID;
    int32_t index;
};
EntryPlace PlaceOf(ADMEntryRef entry) {
    for (auto& [id, item] : Current().items) {
        for (size_t i = 0; i < item.entries.size(); ++i) {
            if (reinterpret_cast<ADMEntryRef>(item.entries[i].get()) == entry) {
                return {id, static_cast<int32_t>(i)};
            }
        }
    }
    std::abort();  // not an entry of the running dialog
}
FakeEntry& EntryOf(ADMEntryRef entry) {
    const EntryPlace place = PlaceOf(entry);
    return *Current().items[place.itemID].entries[static_cast<size_t>(place.index)];
}
std::string Name(ADMEntryRef entry) {
    const EntryPlace place = PlaceOf(entry);
    return std::to_string(place.itemID) + ":" + std::to_string(place.index);
}

int32_t HOST_CALL Modal(SPPluginRef self, const char* name, int32_t dialogID, ADMDialogStyle style,
                        ADMDialogInitProc init, ADMUserData userData, int32_t options) {
    FakeHost& host = Host();
    RecordedModal run = {};
    run.self = self;
    run.hasName = name != nullptr;
    run.name = name != nullptr ? name : "";
    run.dialogID = dialogID;
    run.style = style;
    run.userData = userData;
    run.options = options;
    host.modals.push_back(run);
    gRunning.push_back(host.modals.size() - 1);
    const size_t level = gRunning.size() - 1;
    if (init != nullptr) init(DialogRef(level));
    if (host.duringModal) {
        auto nested = std::move(host.duringModal);  // runs once, not in nested dialogs
        host.duringModal = nullptr;
        nested();
    }
    // The user presses OK, or Cancel, which keeps ADM's own handling.
    const int32_t result = host.closeWith;
    const ADMItemNotifyProc ok = Current().items[kFakeOkItem].notify;
    Current().okHasNotifyProc = ok != nullptr;
    if (ok != nullptr && result == kFakeOkItem) {
        ok(ItemRef(kFakeOkItem), reinterpret_cast<ADMNotifierRef>(0x40));
    }
    Current().result = result;
    gRunning.pop_back();
    return result;
}

ADMItemRef HOST_CALL GetItem(ADMDialogRef dialog, int32_t id) {
    if (DialogLevel(dialog) != gRunning.size() - 1) std::abort();
    return ItemRef(id);
}

ADMUserData HOST_CALL GetDialogUserData(ADMDialogRef dialog) {
    return Host().modals.at(gRunning.at(DialogLevel(dialog))).userData;
}

// ---- ADM items ----

ADMDialogRef HOST_CALL GetItemDialog(ADMItemRef item) {
    Log("GetDialog " + std::to_string(ItemID(item)));
    return DialogRef(gRunning.size() - 1);
}

void HOST_CALL SetItemText(ADMItemRef item, const char* text) {
    Log("SetText " + std::to_string(ItemID(item)));
    Current().itemTexts[ItemID(item)] = text;
    ItemOf(item).text = text;
    ++ItemOf(item).textWrites;
}

void HOST_CALL GetItemText(ADMItemRef item, char* text, ASInt32 maxLength) {
    Log("GetText " + std::to_string(ItemID(item)) + " " + std::to_string(maxLength));
    if (maxLength < 0) return;
    const std::string& held = ItemOf(item).text;
    const size_t n = std::min(held.size(), static_cast<size_t>(maxLength));
    std::memcpy(text, held.data(), n);
    text[n] = '\0';
}

void HOST_CALL SetMaxTextLength(ADMItemRef item, int32_t length) {
    Log("SetMaxTextLength " + std::to_string(ItemID(item)) + " " + std::to_string(length));
    ItemOf(item).maxTextLength = length;
}

ADMListRef HOST_CALL GetList(ADMItemRef item) {
    Log("GetList " + std::to_string(ItemID(item)));
    return ListRef(ItemID(item));
}

void HOST_CALL SetNotifyProc(ADMItemRef item, ADMItemNotifyProc proc) {
    Log("SetNotifyProc " + std::to_string(ItemID(item)));
    ItemOf(item).notify = proc;
}

void HOST_CALL DefaultNotify(ADMItemRef item, ADMNotifierRef) {
    Log("DefaultNotify " + std::to_string(ItemID(item)));
    if (ItemID(item) == kFakeOkItem) ++Current().defaultNotifies;
}

void HOST_CALL SetDrawProc(ADMItemRef item, ADMItemDrawProc proc) {
    Log("SetDrawProc " + std::to_string(ItemID(item)));
    ItemOf(item).draw = proc;
}

void HOST_CALL Invalidate(ADMItemRef item) {
    Log("Invalidate " + std::to_string(ItemID(item)));
    ++ItemOf(item).invalidations;
}

void HOST_CALL GetLocalRect(ADMItemRef item, ADMRect* rect) {
    Log("GetLocalRect " + std::to_string(ItemID(item)));
    auto found = Host().itemRects.find(ItemID(item));
    *rect = found != Host().itemRects.end() ? found->second : ADMRect{0, 0, 0, 0};
}

// ---- ADM lists and entries ----

ADMEntryRef HOST_CALL InsertEntry(ADMListRef list, int32_t index) {
    const int32_t id = ListItemID(list);
    Log("InsertEntry " + std::to_string(id) + " " + std::to_string(index));
    auto& entries = Current().items[id].entries;
    const size_t at = std::min(static_cast<size_t>(std::max(index, 0)), entries.size());
    auto entry = std::make_shared<FakeEntry>();
    entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(at), entry);
    return reinterpret_cast<ADMEntryRef>(entry.get());
}

ADMEntryRef HOST_CALL IndexEntry(ADMListRef list, int32_t index) {
    const int32_t id = ListItemID(list);
    Log("IndexEntry " + std::to_string(id) + " " + std::to_string(index));
    auto& entries = Current().items[id].entries;
    if (index < 0 || static_cast<size_t>(index) >= entries.size()) return nullptr;
    return reinterpret_cast<ADMEntryRef>(entries[static_cast<size_t>(index)].get());
}

ADMEntryRef HOST_CALL GetActiveEntry(ADMListRef list) {
    const int32_t id = ListItemID(list);
    Log("GetActiveEntry " + std::to_string(id));
    for (auto& entry : Current().items[id].entries) {
        if (entry->selected) return reinterpret_cast<ADMEntryRef>(entry.get());
    }
    return nullptr;
}

int32_t HOST_CALL NumberOfEntries(ADMListRef list) {
    Log("NumberOfEntries " + std::to_string(ListItemID(list)));
    return static_cast<int32_t>(Current().items[ListItemID(list)].entries.size());
}

int32_t HOST_CALL EntryGetIndex(ADMEntryRef entry) {
    Log("GetIndex " + Name(entry));
    return PlaceOf(entry).index;
}

void HOST_CALL EntrySelect(ADMEntryRef entry, ASBoolean select) {
    Log("Select " + Name(entry) + " " + std::to_string(select));
    // Selecting a pop-up's entry deselects the others.
    if (select) {
        for (auto& other : Current().items[PlaceOf(entry).itemID].entries) other->selected = false;
    }
    EntryOf(entry).selected = select != 0;
}

ASBoolean HOST_CALL EntryIsSelected(ADMEntryRef entry) {
    Log("IsSelected " + Name(entry));
    return EntryOf(entry).selected ? kASTrue : kASFalse;
}

void HOST_CALL EntrySetText(ADMEntryRef entry, const char* text) {
    Log("Entry.SetText " + Name(entry));
    EntryOf(entry).text = text;
}

void HOST_CALL EntryEnable(ADMEntryRef entry, ASBoolean enable) {
    Log("Enable " + Name(entry) + " " + std::to_string(enable));
    EntryOf(entry).enabled = enable != 0;
}

void HOST_CALL EntryMakeSeparator(ADMEntryRef entry, ASBoolean separator) {
    Log("MakeSeparator " + Name(entry) + " " + std::to_string(separator));
    EntryOf(entry).separator = separator != 0;
}

}  // namespace

AIActionDoActionMessage FakeDoAction(AIActionParamValueRef param, intptr_t userData) {
    AIActionDoActionMessage message = {};
    message.d = FakeMessage();
    message.userData = reinterpret_cast<ActionUserData>(userData);
    message.dialogStatus = kASFalse;
    message.param = param;
    return message;
}

const SPBasicSuite* FakeBasicSuite() {
    static const SPBasicSuite basic = {
        .AcquireSuite = AcquireSuite,
        .ReleaseSuite = ReleaseSuite,
        .IsEqual = IsEqual,
        .AllocateBlock = nullptr,
        .FreeBlock = nullptr,
        .ReallocateBlock = nullptr,
    };
    return &basic;
}

const SPBlocksSuite* FakeBlocksSuite() {
    static const SPBlocksSuite blocks = {
        .AllocateBlock = [](ASInt32 size, const char* name, void** block) -> ASErr {
            FakeHost& h = Host();
            h.allocatedNames.push_back(name);
            *block = nullptr;
            if (h.allocateError != kSPNoError) return h.allocateError;
            if (h.allocateGivesNull) return kSPNoError;
            *block = std::malloc(static_cast<size_t>(size));
            std::memset(*block, 0xA5, static_cast<size_t>(size));  // the plug-in must set every field
            ++h.liveBlocks;
            return kSPNoError;
        },
        .FreeBlock = [](void* block) -> ASErr {
            Host().freedBlocks.push_back(block);
            if (block != nullptr) --Host().liveBlocks;
            std::free(block);
            return kSPNoError;
        },
        .ReallocateBlock = nullptr,
    };
    return &blocks;
}

const AIRuntimeSuite* FakeRuntimeSuite() {
    static const AIRuntimeSuite runtime = [] {
        AIRuntimeSuite s = {};
        s.GetAppFileSpecification = [](SPPlatformFileSpecification* file) -> ASErr {
            std::snprintf(file->path, sizeof file->path, "%s", Host().appWindowsPath.c_str());
            return kSPNoError;
        };
        return s;
    }();
    return &runtime;
}

const AIUserSuite* FakeUserSuite() {
    static const AIUserSuite user = [] {
        AIUserSuite u = {};
        u.StringToReal = [](const unsigned char* text, ASReal* value) {
            const std::string s(reinterpret_cast<const char*>(text + 1), text[0]);
            *value = std::strtof(s.c_str(), nullptr);
        };
        u.RealToString = [](ASReal value, short precision, unsigned char* text) {
            char s[kLengthPrefixedStringSize];
            const int n = std::snprintf(s, sizeof s, "%.*f", precision, static_cast<double>(value));
            text[0] = static_cast<unsigned char>(n);
            std::memcpy(text + 1, s, static_cast<size_t>(n));
        };
        return u;
    }();
    return &user;
}

const ADMBasicSuite* FakeADMBasicSuite() {
    static const ADMBasicSuite admBasic = [] {
        ADMBasicSuite b = {};
        b.MessageAlert = [](const char* message) { Host().alerts.push_back(message); };
        b.GetIndexString = [](SPPluginRef, ASInt32 stringID, ASInt32 index, char* text,
                              ASInt32 size) -> ASErr {
            FakeHost& h = Host();
            h.stringListIDs.push_back(stringID);
            if (stringID != 16050) {
                Log("GetIndexString " + std::to_string(stringID) + " " + std::to_string(index) +
                    " " + std::to_string(size));
            }
            text[0] = '\0';
            // The error table by index; any other list by its strings' ids.
            const std::map<int32_t, std::string>& strings =
                stringID == 16050 ? h.errorTable : h.strings;
            auto found = strings.find(stringID == 16050 ? index : stringID + index);
            if (found == strings.end()) return kSPBadParameterError;
            std::snprintf(text, static_cast<size_t>(size), "%s", found->second.c_str());
            return kSPNoError;
        };
        return b;
    }();
    return &admBasic;
}

const ADMDialogSuite* FakeADMDialogSuite() {
    static const ADMDialogSuite admDialog = [] {
        ADMDialogSuite s = {};
        s.Modal = Modal;
        s.GetItem = GetItem;
        s.GetUserData = GetDialogUserData;
        return s;
    }();
    return &admDialog;
}

const ADMItemSuite* FakeADMItemSuite() {
    static const ADMItemSuite admItem = [] {
        ADMItemSuite s = {};
        s.GetDialog = GetItemDialog;
        s.SetText = SetItemText;
        s.GetText = GetItemText;
        s.SetMaxTextLength = SetMaxTextLength;
        s.GetList = GetList;
        s.SetNotifyProc = SetNotifyProc;
        s.DefaultNotify = DefaultNotify;
        s.SetDrawProc = SetDrawProc;
        s.Invalidate = Invalidate;
        s.GetLocalRect = GetLocalRect;
        return s;
    }();
    return &admItem;
}

const ADMListSuite* FakeADMListSuite() {
    static const ADMListSuite admList = [] {
        ADMListSuite s = {};
        s.InsertEntry = InsertEntry;
        s.IndexEntry = IndexEntry;
        s.GetActiveEntry = GetActiveEntry;
        s.NumberOfEntries = NumberOfEntries;
        return s;
    }();
    return &admList;
}

const ADMEntrySuite* FakeADMEntrySuite() {
    static const ADMEntrySuite admEntry = [] {
        ADMEntrySuite s = {};
        s.GetIndex = EntryGetIndex;
        s.Select = EntrySelect;
        s.IsSelected = EntryIsSelected;
        s.SetText = EntrySetText;
        s.Enable = EntryEnable;
        s.MakeSeparator = EntryMakeSeparator;
        return s;
    }();
    return &admEntry;
}

const ADMDrawerSuite* FakeADMDrawerSuite() {
    static const ADMDrawerSuite admDrawer = {.GetPortRef = [](ADMDrawerRef drawer) -> ADMPortRef {
        Log("GetPortRef");
        return reinterpret_cast<ADMPortRef>(drawer);
    }};
    return &admDrawer;
}

void FakeUserChooses(int32_t itemID, int32_t index) {
    FakeItem& item = Current().items[itemID];
    for (size_t i = 0; i < item.entries.size(); ++i) {
        item.entries[i]->selected = static_cast<int32_t>(i) == index;
    }
    if (item.notify != nullptr)
        item.notify(ItemRef(itemID), reinterpret_cast<ADMNotifierRef>(0x41));
}

void FakeUserTypes(int32_t itemID, const std::string& text) {
    FakeItem& item = Current().items[itemID];
    item.text = text;
    if (item.maxTextLength >= 0 && item.text.size() > static_cast<size_t>(item.maxTextLength)) {
        item.text.resize(static_cast<size_t>(item.maxTextLength));
    }
    if (item.notify != nullptr)
        item.notify(ItemRef(itemID), reinterpret_cast<ADMNotifierRef>(0x42));
}

bool FakeDrawItem(int32_t itemID, void* port) {
    const ADMItemDrawProc draw = Current().items[itemID].draw;
    if (draw == nullptr) return false;
    draw(ItemRef(itemID), static_cast<ADMDrawerRef>(port));
    return true;
}

FakeItem& FakeRunningItem(int32_t itemID) {
    return Current().items[itemID];
}

std::map<int32_t, std::string> StandardErrorTable() {
    const std::string memory =
        "The filter cannot complete because there isn't enough memory (RAM) available.";
    return {
        {0, "<Mac strings begin at index 1>"},
        {1, "-108"},
        {2, memory},
        {3, "271"},
        {4, memory},
        {5, "SEGM"},
        {6, "The filter cannot complete because a layer is locked or invisible."},
        {7, "NESS"},
        {8, "The filter cannot complete because a path has too many anchor points."},
        {9, "!sel"},
        {10, "The selection is not valid for this filter."},
        {11, "<Others>"},
        {12, "The filter cannot complete because of an unknown error."},
    };
}

std::string Cp932(const std::string& utf8) {
#if defined(_WIN32)
    // Windows' own conversion, through UTF-16.
    if (utf8.empty()) return {};
    const int units = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                          static_cast<int>(utf8.size()), nullptr, 0);
    if (units <= 0) std::abort();
    std::wstring wide(static_cast<size_t>(units), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), units);
    BOOL lossy = FALSE;
    const int bytes =
        WideCharToMultiByte(932, 0, wide.data(), units, nullptr, 0, nullptr, &lossy);
    if (bytes <= 0 || lossy) std::abort();
    std::string out(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(932, 0, wide.data(), units, out.data(), bytes, nullptr, nullptr);
    return out;
#else
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) std::abort();
    std::string in = utf8;
    std::string out(in.size() * 2 + 1, '\0');
    char* inp = in.data();
    size_t inLeft = in.size();
    char* outp = out.data();
    size_t outLeft = out.size();
    if (iconv(cd, &inp, &inLeft, &outp, &outLeft) == static_cast<size_t>(-1)) std::abort();
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
#endif
}

SPMessageData FakeMessage(void* globals) {
    return SPMessageData{kSPMessageCheckWord, kFakeSelf, globals, FakeBasicSuite()};
}

void PluginTest::SetUp() {
    AppFolderTest::SetUp();
    char windows[MAX_PATH];
    ASSERT_EQ(
        NativePathToWindows((AppFolder() + "Illustrator.exe").c_str(), windows, sizeof windows),
        static_cast<DWORD>(ERROR_SUCCESS));
    host_.appWindowsPath = windows;
    host_.errorTable = StandardErrorTable();
    gFakeHost = &host_;
    ResetPluginState();
    message_ = FakeMessage();
}

void PluginTest::TearDown() {
    // A record the test left allocated goes back to the fake host.
    if (gPluginState.globals != nullptr && host_.liveBlocks > 0) {
        FakeBlocksSuite()->FreeBlock(gPluginState.globals);
    }
    ResetPluginState();
    gFakeHost = nullptr;
    AppFolderTest::TearDown();
}

ASErr PluginTest::Send(const char* caller, const char* selector, void* message) {
    return PluginMain(caller, selector, message != nullptr ? message : &message_);
}
