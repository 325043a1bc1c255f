// Keeps a host of its own: one that misbehaves on demand and records every call, as no host does.
//
// A fake host for driving PluginMain in the test's own process: a basic suite
// whose acquisitions hand out fake suites that record their calls, any of
// which can be made to fail, and an application folder of its own under the
// test's temporary folder.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "globals/plugin_state.h"
#include "tests/support/app_folder_test.h"

// A plug-in reference and a filter handle as the fake host hands them out.
inline SPPluginRef const kFakeSelf = reinterpret_cast<SPPluginRef>(0x5E1F);
inline AIFilterHandle const kFakeFilter = reinterpret_cast<AIFilterHandle>(0xF117);
// A "Do Action" message with the head of FakeMessage, the numeric user data
// `userData` and the parameter value `param`.
AIActionDoActionMessage FakeDoAction(AIActionParamValueRef param, intptr_t userData);

// The OK and Cancel buttons of the plug-in's dialogs: items 1 and 2.
inline constexpr int32_t kFakeOkItem = 1;
inline constexpr int32_t kFakeCancelItem = 2;

// One key added to an action parameter type.
struct RecordedTypeKey {
    ActionParamKeyID key;
    std::string displayName;
    ActionParamTypeID type;
    ASBoolean shown;
};

// One entry of a list or pop-up item of a fake dialog.
struct FakeEntry {
    std::string text;
    bool enabled = true;
    bool separator = false;
    bool selected = false;
};

// One item of a fake dialog, as the plug-in and the scripted user left it.
struct FakeItem {
    std::string text;
    int32_t maxTextLength = -1;  // -1 until the plug-in limits it
    std::vector<std::shared_ptr<FakeEntry>> entries;
    ADMItemNotifyProc notify = nullptr;
    ADMItemDrawProc draw = nullptr;
    int32_t textWrites = 0;
    int32_t invalidations = 0;
};

// One modal dialog run, with what its init procedure and buttons did.
struct RecordedModal {
    SPPluginRef self;
    std::string name;  // "" for none
    bool hasName;
    int32_t dialogID;
    ADMDialogStyle style;
    ADMUserData userData;
    int32_t options;
    std::map<int32_t, std::string> itemTexts;  // set by the init procedure
    bool okHasNotifyProc;
    int32_t defaultNotifies;            // default notifications made by pressing OK
    std::map<int32_t, FakeItem> items;  // every item the plug-in or the user touched
    int32_t result;                     // what Modal returned
};

struct FakeHost {
    // ---- Behaviour ----
    std::map<std::string, ASErr> acquireFailures;  // by suite name
    std::map<std::string, ASErr> releaseFailures;
    bool caseInsensitiveIsEqual = false;
    ASErr allocateError = kSPNoError;
    bool allocateGivesNull = false;
    ASErr addFilterError = kSPNoError;
    ASErr menuItemError = kSPNoError;
    ASErr autoUpdateError = kSPNoError;
    bool newTypeGivesNull = false;
    ASErr registerEventError = kSPNoError;
    std::map<int32_t, std::string> errorTable;  // string list 16050 by index
    std::string appWindowsPath;                 // the executable's path
    std::function<void()> duringModal;          // runs inside the next modal dialog
    int32_t closeWith = kFakeOkItem;            // 1: the user presses OK at the end; 2: Cancel
    std::map<int32_t, std::string> strings;     // other string resources, by id
    std::map<int32_t, ADMRect> itemRects;       // local rectangles of items, by id

    // ---- Records ----
    std::vector<std::string> acquired;  // "name version", in call order
    std::vector<std::string> released;
    std::vector<std::pair<std::string, std::string>> comparisons;
    std::vector<std::string> alerts;
    std::vector<std::string> allocatedNames;
    std::vector<void*> freedBlocks;
    int32_t liveBlocks = 0;
    struct {
        SPPluginRef self;
        std::string name;
        std::string category;  // the length-prefixed bytes, length byte included
        std::string title;
        int32_t options;
    } addFilter = {};
    int32_t addFilterCalls = 0;
    std::vector<AIFilterHandle> menuItemRequests;
    std::vector<std::vector<int32_t>> autoUpdates;  // action and the six criteria
    std::vector<RecordedTypeKey> typeKeys;
    struct {
        std::string name;
        std::string title;
        int32_t version;
        int32_t flags;
        bool hasCallback;
        SPPluginRef self;
        ActionUserData userData;
        AIActionParamTypeRef type;
    } registration = {};
    int32_t registerCalls = 0;
    std::vector<AIActionParamTypeRef> deletedTypes;
    std::vector<int32_t> stringListIDs;  // of every indexed-string read
    std::vector<RecordedModal> modals;
    // The plug-in's calls of the ADM Item, List, Entry, Drawer suites and of
    // the Basic suite's strings, in order: "InsertEntry 5 0", "Select 5:1 1".
    std::vector<std::string> admCalls;
    int32_t artCalls = 0;                  // of the art, path and path style suites

    // Acquisitions not yet released, by suite name.
    std::map<std::string, int32_t> held;
};

// The fake host the suites report to; set by InstallFakeHost.
extern FakeHost* gFakeHost;

// The fake basic suite, serving every suite of the plug-in's table.
const SPBasicSuite* FakeBasicSuite();

// The fake suites of the kinds the plug-in calls.
const SPBlocksSuite* FakeBlocksSuite();
const AIRuntimeSuite* FakeRuntimeSuite();
const AIUserSuite* FakeUserSuite();
const ADMBasicSuite* FakeADMBasicSuite();
const ADMDialogSuite* FakeADMDialogSuite();
const ADMItemSuite* FakeADMItemSuite();
const ADMListSuite* FakeADMListSuite();
const ADMEntrySuite* FakeADMEntrySuite();
const ADMDrawerSuite* FakeADMDrawerSuite();

// What a scripted user does in the innermost running fake dialog (from
// FakeHost::duringModal). Picks entry `index` of pop-up `itemID` and sends its
// notification.
void FakeUserChooses(int32_t itemID, int32_t index);
// Replaces the text of `itemID` with `text`, cut at the item's length limit,
// and sends its notification.
void FakeUserTypes(int32_t itemID, const std::string& text);
// Has the item painted by its draw procedure on the drawing port `port` (an
// HDC). False when it has no draw procedure.
bool FakeDrawItem(int32_t itemID, void* port);
// The item `itemID` of the innermost running fake dialog.
FakeItem& FakeRunningItem(int32_t itemID);

// The error table of the plug-in's string resources, list 16050.
std::map<int32_t, std::string> StandardErrorTable();

// UTF-8 text in code page 932, converted by the C library.
std::string Cp932(const std::string& utf8);

// A message head for the fake host.
SPMessageData FakeMessage(void* globals = nullptr);

// A test with the fake host installed, the plug-in state as at load, and an
// application folder of its own, whose executable the Runtime suite reports
// as <folder>\Illustrator.exe.
class PluginTest : public AppFolderTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Sends one message through PluginMain with `message` (the test's own
    // message record when null).
    ASErr Send(const char* caller, const char* selector, void* message = nullptr);

    FakeHost host_;
    SPMessageData message_ = {};
};
