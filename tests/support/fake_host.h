// Keeps a host of its own: one that misbehaves on demand and records every call, as no host does.
//
// A fake host for driving PluginMain in the test's own process: a basic suite
// whose acquisitions hand out fake suites that record their calls, any of
// which can be made to fail, dialogs that are built and closed with OK, and
// an application folder of its own under the test's temporary folder.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
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

// The OK button of the plug-in's dialogs, which the user presses.
inline constexpr int32_t kFakeOkItem = 1;

// One key added to an action parameter type.
struct RecordedTypeKey {
    ActionParamKeyID key;
    std::string displayName;
    ActionParamTypeID type;
    ASBoolean shown;
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
    ADMItemNotifyProc okNotify;
    bool okHasNotifyProc;
    int32_t defaultNotifies;                  // default notifications made by pressing OK
    std::map<int32_t, int32_t> entryCounts;  // of the popups, by item
    int32_t result;                           // what Modal returned
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
    std::function<void()> duringModal;          // runs inside the next modal dialog, before OK

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

// The error table of the plug-in's string resources, list 16050.
std::map<int32_t, std::string> StandardErrorTable();

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
