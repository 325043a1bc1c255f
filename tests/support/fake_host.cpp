#include "tests/support/fake_host.h"

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
//
// What the plug-in's dialogs need to be built and closed: the texts their
// initialisation sets, the notify procedure of OK, which the user presses at
// once, and popups whose entries are handles only. Nothing acts in them as a
// user would; that is the stand-in's (tests/support/standin_plugin_test.h).

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
// Entry `index` of item `id`'s popup.
ADMEntryRef EntryRef(int32_t id, int32_t index) {
    return reinterpret_cast<ADMEntryRef>(static_cast<uintptr_t>(0x100000 + id * 0x1000 + index));
}
RecordedModal& Current() {
    if (gRunning.empty()) std::abort();
    return Host().modals.at(gRunning.back());
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
    // The user presses OK.
    const ADMItemNotifyProc ok = Current().okNotify;
    Current().okHasNotifyProc = ok != nullptr;
    if (ok != nullptr) ok(ItemRef(kFakeOkItem), reinterpret_cast<ADMNotifierRef>(0x40));
    Current().result = kFakeOkItem;
    gRunning.pop_back();
    return kFakeOkItem;
}

ADMItemRef HOST_CALL GetItem(ADMDialogRef dialog, int32_t id) {
    if (DialogLevel(dialog) != gRunning.size() - 1) std::abort();
    return ItemRef(id);
}

ADMUserData HOST_CALL GetDialogUserData(ADMDialogRef dialog) {
    return Host().modals.at(gRunning.at(DialogLevel(dialog))).userData;
}

// ---- ADM items, lists and entries ----

void HOST_CALL SetItemText(ADMItemRef item, const char* text) {
    Current().itemTexts[ItemID(item)] = text;
}

ADMListRef HOST_CALL GetList(ADMItemRef item) {
    return ListRef(ItemID(item));
}

void HOST_CALL SetNotifyProc(ADMItemRef item, ADMItemNotifyProc proc) {
    if (ItemID(item) == kFakeOkItem) Current().okNotify = proc;
}

void HOST_CALL DefaultNotify(ADMItemRef item, ADMNotifierRef) {
    if (ItemID(item) == kFakeOkItem) ++Current().defaultNotifies;
}

ADMEntryRef HOST_CALL InsertEntry(ADMListRef list, int32_t) {
    int32_t& count = Current().entryCounts[ListItemID(list)];
    return EntryRef(ListItemID(list), count++);
}

ADMEntryRef HOST_CALL IndexEntry(ADMListRef list, int32_t index) {
    const int32_t count = Current().entryCounts[ListItemID(list)];
    return index >= 0 && index < count ? EntryRef(ListItemID(list), index) : nullptr;
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
            text[0] = '\0';
            // The error table by index; no other list.
            if (stringID != 16050) return kSPBadParameterError;
            auto found = h.errorTable.find(index);
            if (found == h.errorTable.end()) return kSPBadParameterError;
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
        s.SetText = SetItemText;
        s.SetMaxTextLength = [](ADMItemRef, int32_t) {};
        s.GetList = GetList;
        s.SetNotifyProc = SetNotifyProc;
        s.DefaultNotify = DefaultNotify;
        s.SetDrawProc = [](ADMItemRef, ADMItemDrawProc) {};
        return s;
    }();
    return &admItem;
}

const ADMListSuite* FakeADMListSuite() {
    static const ADMListSuite admList = [] {
        ADMListSuite s = {};
        s.InsertEntry = InsertEntry;
        s.IndexEntry = IndexEntry;
        return s;
    }();
    return &admList;
}

const ADMEntrySuite* FakeADMEntrySuite() {
    static const ADMEntrySuite admEntry = [] {
        ADMEntrySuite s = {};
        s.Select = [](ADMEntryRef, ASBoolean) {};
        s.SetText = [](ADMEntryRef, const char*) {};
        s.Enable = [](ADMEntryRef, ASBoolean) {};
        s.MakeSeparator = [](ADMEntryRef, ASBoolean) {};
        return s;
    }();
    return &admEntry;
}

const ADMDrawerSuite* FakeADMDrawerSuite() {
    static const ADMDrawerSuite admDrawer = {};
    return &admDrawer;
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
