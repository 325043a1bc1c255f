// The suites as the host lays them out: every slot a plug-in of this project
// does not call holds a trap that names it, and a module built against a
// wrong layout is caught at its first call.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "standin/suites/adm/adm_suites.h"
#include "standin/suites/action_manager/action_manager.h"
#include "standin/suites/document/documents.h"
#include "standin/suites/filter_menu/filters.h"
#include "standin/host/host_transcript.h"
#include "standin/host/plugins.h"
#include "standin/host/slot_traps.h"
#include "standin/suites/blocks_runtime/blocks_runtime.h"
#include "standin/host/suite_slots.h"
#include "standin/suites/user/user_suite.h"
#include "tests/standin/host/host_test_support.h"
#include "tests/standin/host/test_module.h"

namespace {

using standin::Plugin;

// The functions the plug-in calls, suite by suite, written out here apart
// from the declarations: every other slot must be a trap.
const std::map<std::string, std::set<std::string>> kCalled = {
    {"SP Blocks Suite", {"AllocateBlock", "FreeBlock", "ReallocateBlock"}},
    {"AI Filter Suite", {"AddFilter", "GetFilterMenuItem"}},
    {"AI Menu Suite", {"UpdateMenuItemAutomatically"}},
    {"AI Action Manager Suite",
     {"RegisterActionEvent", "NewActionParamType", "DeleteActionParamType", "SetTypeKey",
      "RecordActionEvent", "InRecordMode", "NewActionParamValue", "DeleteActionParamValue",
      "GetInteger", "SetInteger", "GetReal", "SetReal", "GetString", "SetString"}},
    {"AI Document View Suite", {"GetDocumentViewCenter"}},
    {"AI Art Suite", {"NewArt"}},
    {"AI Path Suite", {"SetPathSegments", "SetPathClosed"}},
    {"AI Path Style Suite", {"SetPathStyle"}},
    {"AI Runtime Suite", {"GetAppFileSpecification"}},
    {"AI User Suite", {"RealToString", "StringToReal"}},
    {"ADM Dialog Suite", {"Modal", "SetUserData", "GetUserData", "GetItem", "EndModal"}},
    {"ADM Item Suite",
     {"SetDrawProc", "DefaultDraw", "SetNotifyProc", "DefaultNotify", "SetUserData",
      "GetUserData", "GetID", "GetDialog", "GetList", "GetLocalRect", "Invalidate", "SetText",
      "GetText", "GetTextLength", "SetMaxTextLength", "SetIntValue", "GetIntValue"}},
    {"ADM List Suite", {"InsertEntry", "IndexEntry", "GetActiveEntry", "NumberOfEntries"}},
    {"ADM Entry Suite", {"GetIndex", "Select", "IsSelected", "Enable", "MakeSeparator", "SetText"}},
    {"ADM Drawer Suite", {"GetPortRef"}},
    {"ADM Basic Suite", {"GetIndexString", "MessageAlert"}},
};

// The slots of `record` that are not traps, by name; a trap must carry the
// name of its own slot.
template <class Suite>
std::set<std::string> Implemented(const Suite* record) {
    std::set<std::string> names;
    HostUnusedSlot slots[sizeof(Suite) / sizeof(HostUnusedSlot)];
    std::memcpy(slots, record, sizeof slots);
    for (const standin::SuiteSlot& slot : standin::SuiteSlots<Suite>::kSlots) {
        const char* trap = standin::TrapSlotName(slots[slot.index]);
        if (trap == nullptr)
            names.insert(slot.name);
        else
            EXPECT_STREQ(trap, slot.name) << standin::SuiteSlots<Suite>::kName;
    }
    return names;
}

template <class Suite>
void ExpectOnlyCalledSlotsImplemented(const Suite* record) {
    const std::string name = standin::SuiteSlots<Suite>::kName;
    EXPECT_EQ(Implemented(record), kCalled.at(name)) << name;
}

using SlotTrapTest = HostTest;

TEST_F(SlotTrapTest, EverySlotNoCallReachesIsATrapNamedAsTheHostNamesIt) {
    ExpectOnlyCalledSlotsImplemented(StandinBlocksSuite());
    ExpectOnlyCalledSlotsImplemented(standin::StandinFilterSuite());
    ExpectOnlyCalledSlotsImplemented(standin::StandinMenuSuite());
    ExpectOnlyCalledSlotsImplemented(standin::StandinActionManagerSuite());
    ExpectOnlyCalledSlotsImplemented(standin::StandinDocumentViewSuite());
    ExpectOnlyCalledSlotsImplemented(standin::StandinArtSuite());
    ExpectOnlyCalledSlotsImplemented(standin::StandinPathSuite());
    ExpectOnlyCalledSlotsImplemented(standin::StandinPathStyleSuite());
    ExpectOnlyCalledSlotsImplemented(StandinRuntimeSuite());
    ExpectOnlyCalledSlotsImplemented(standin::StandinUserSuite());
    ExpectOnlyCalledSlotsImplemented(standin::StandinADMDialogSuite());
    ExpectOnlyCalledSlotsImplemented(standin::StandinADMItemSuite());
    ExpectOnlyCalledSlotsImplemented(standin::StandinADMListSuite());
    ExpectOnlyCalledSlotsImplemented(standin::StandinADMEntrySuite());
    ExpectOnlyCalledSlotsImplemented(standin::StandinADMDrawerSuite());
    ExpectOnlyCalledSlotsImplemented(standin::StandinADMBasicSuite());
}

// Calls a trapped slot the way a plug-in would, with arguments it ignores.
ASErr CallSlot(HostUnusedSlot slot) {
    using Call = ASErr (*)(void*, void*);
    return reinterpret_cast<Call>(slot)(nullptr, nullptr);
}

TEST_F(SlotTrapTest, ATrapSaysWhichSuiteAndSlotWasCalledAndFails) {
    const auto* view =
        AcquireSuite<AIDocumentViewSuite>(kAIDocumentViewSuite, kAIDocumentViewSuiteVersion);
    ASSERT_NE(view, nullptr);
    const unsigned before = standin::SlotTrapCalls();
    testing::internal::CaptureStderr();
    EXPECT_EQ(CallSlot(view->GetDocumentViewBounds), kStandinUnusedSlotError);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(standin::SlotTrapCalls(), before + 1);
    const std::string expected =
        "slot 0 (GetDocumentViewBounds) of \"AI Document View Suite\" version 7";
    EXPECT_NE(said.find(expected), std::string::npos) << said;
    EXPECT_NE(std::string(standin::LastSlotTrap()).find(expected), std::string::npos);
    const std::vector<std::string> notes = TranscriptNotes();
    ASSERT_FALSE(notes.empty());
    EXPECT_NE(notes.back().find(expected), std::string::npos) << notes.back();

    // A suite the stand-in serves without implementing it traps every slot.
    const void* layer = AcquireSuite<void>("AI Layer Suite", 9);
    ASSERT_NE(layer, nullptr);
    HostUnusedSlot slots[standin::kUncalledSuiteSlots];
    std::memcpy(slots, layer, sizeof slots);
    testing::internal::CaptureStderr();
    EXPECT_EQ(CallSlot(slots[0]), kStandinUnusedSlotError);
    EXPECT_EQ(CallSlot(slots[standin::kUncalledSuiteSlots - 1]), kStandinUnusedSlotError);
    const std::string layerSaid = testing::internal::GetCapturedStderr();
    EXPECT_NE(layerSaid.find("a slot of \"AI Layer Suite\" version 9"), std::string::npos)
        << layerSaid;
    EXPECT_EQ(standin::SlotTrapCalls(), before + 3);
}

TEST_F(SlotTrapTest, AModuleBuiltWithTwoSlotsSwappedFailsAtItsFirstCall) {
    standin::OpenDocument("Untitled-1", 595.28, 841.89);
    const std::string folder = FreshFolder("Plug-ins");
    CopyTestModule("good", folder, "Good.aip");
    CopyTestModule("swapped_slots", folder, "Swapped.aip");
    const std::vector<Plugin*> loaded = session_->LoadPlugins(folder);
    ASSERT_EQ(loaded.size(), 2u) << testing::PrintToString(TranscriptNotes());
    std::map<std::string, Plugin*> byName;
    for (Plugin* p : loaded) byName[p->name] = p;

    // The module built against the host's layout reaches the view's centre.
    TestViewCentreMessage good{};
    EXPECT_EQ(standin::SendPluginMessage(byName.at("Good.aip"), kTestCaller,
                                         kTestViewCentreSelector, &good.d),
              kSPNoError);
    EXPECT_EQ(good.result, kSPNoError);
    EXPECT_FLOAT_EQ(good.centre.h, 595.28f / 2);

    // The one built with slots 0 and 1 swapped calls slot 0, which is the
    // host's GetDocumentViewBounds: the trap names it and the message fails.
    TestViewCentreMessage swapped{};
    testing::internal::CaptureStderr();
    EXPECT_EQ(standin::SendPluginMessage(byName.at("Swapped.aip"), kTestCaller,
                                         kTestViewCentreSelector, &swapped.d),
              kStandinUnusedSlotError);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(swapped.result, kStandinUnusedSlotError);
    EXPECT_NE(said.find("slot 0 (GetDocumentViewBounds) of \"AI Document View Suite\""),
              std::string::npos)
        << said;
}

}  // namespace
