// Every suite the plug-in acquires, counted acquisition and release, the
// failure switch, and the host's heap of blocks.
#include "standin/suites/register_suites.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "hostapi/suite_catalog.h"
#include "standin/hooks/host_hooks.h"
#include "standin/suites/action_manager/action_manager.h"
#include "standin/suites/adm/adm_suites.h"
#include "standin/suites/document/documents.h"
#include "standin/suites/filter_menu/filters.h"
#include "standin/host/host_blocks.h"
#include "standin/host/slot_traps.h"
#include "standin/suites/blocks_runtime/blocks_runtime.h"
#include "standin/suites/user/user_suite.h"
#include "tests/standin/host/host_test_support.h"

namespace {

using SuiteCatalogTest = HostTest;

TEST_F(SuiteCatalogTest, EverySuiteIsAcquiredAndReleasedOnceEachWayAndCounted) {
    ASSERT_EQ(kSuiteCatalogSize, 133u);
    std::set<std::string> names;
    for (const CatalogSuite& s : kSuiteCatalog) {
        names.insert(s.name);
        const void* suite = nullptr;
        ASSERT_EQ(StandinBasicSuite()->AcquireSuite(s.name, s.version, &suite), 0) << s.name;
        EXPECT_NE(suite, nullptr) << s.name;
        EXPECT_EQ(StandinSuiteUseCount(s.name, s.version), 1) << s.name;
        // Another version of the same name is another suite.
        EXPECT_EQ(StandinBasicSuite()->AcquireSuite(s.name, s.version + 1, &suite),
                  kSPSuiteNotFoundError)
            << s.name;
    }
    EXPECT_EQ(names.size(), 133u);
    for (const CatalogSuite& s : kSuiteCatalog) {
        EXPECT_EQ(StandinBasicSuite()->ReleaseSuite(s.name, s.version), 0) << s.name;
        EXPECT_EQ(StandinSuiteUseCount(s.name, s.version), 0) << s.name;
        EXPECT_EQ(StandinBasicSuite()->ReleaseSuite(s.name, s.version), kSPBadParameterError);
    }
}

// A suite record the stand-in implements, with its size.
struct WorkingSuite {
    const char* name;
    const void* record;
    size_t size;
};
template <class Suite>
WorkingSuite Working(const char* name, const Suite* record) {
    return {name, record, sizeof(Suite)};
}

TEST_F(SuiteCatalogTest, TheSuitesThePluginCallsWorkAndTheOthersAreEmpty) {
    const WorkingSuite working[] = {
        Working(kSPBlocksSuite, StandinBlocksSuite()),
        Working(kAIRuntimeSuite, StandinRuntimeSuite()),
        Working(kAIFilterSuite, standin::StandinFilterSuite()),
        Working(kAIMenuSuite, standin::StandinMenuSuite()),
        Working(kAIActionManagerSuite, standin::StandinActionManagerSuite()),
        Working(kAIUserSuite, standin::StandinUserSuite()),
        Working(kAIDocumentViewSuite, standin::StandinDocumentViewSuite()),
        Working(kAIArtSuite, standin::StandinArtSuite()),
        Working(kAIPathSuite, standin::StandinPathSuite()),
        Working(kAIPathStyleSuite, standin::StandinPathStyleSuite()),
        Working(kADMDialogSuite, standin::StandinADMDialogSuite()),
        Working(kADMItemSuite, standin::StandinADMItemSuite()),
        Working(kADMListSuite, standin::StandinADMListSuite()),
        Working(kADMEntrySuite, standin::StandinADMEntrySuite()),
        Working(kADMDrawerSuite, standin::StandinADMDrawerSuite()),
        Working(kADMBasicSuite, standin::StandinADMBasicSuite()),
    };
    // The others are records of traps, one of their own each.
    std::set<const void*> trapped;
    for (const CatalogSuite& s : kSuiteCatalog) {
        const WorkingSuite* expected = nullptr;
        for (const WorkingSuite& w : working)
            if (std::strcmp(w.name, s.name) == 0) expected = &w;
        const void* suite = AcquireSuite<void>(s.name, s.version);
        ASSERT_NE(suite, nullptr) << s.name;
        if (expected != nullptr) {
            // The family's record, then traps as far as any host table goes.
            EXPECT_EQ(std::memcmp(suite, expected->record, expected->size), 0) << s.name;
            const auto* slots = static_cast<const HostUnusedSlot*>(suite);
            for (size_t i = expected->size / sizeof(HostUnusedSlot);
                 i < standin::kUncalledSuiteSlots; ++i)
                EXPECT_NE(standin::TrapSlotName(slots[i]), nullptr) << s.name << " " << i;
        } else {
            trapped.insert(suite);
        }
        StandinBasicSuite()->ReleaseSuite(s.name, s.version);
    }
    EXPECT_EQ(trapped.size(), 133u - std::size(working));
    // The basic suite of every message is padded the same way.
    const auto* basic = reinterpret_cast<const HostUnusedSlot*>(StandinBasicSuite());
    EXPECT_NE(standin::TrapSlotName(basic[sizeof(SPBasicSuite) / sizeof(HostUnusedSlot)]),
              nullptr);
}

TEST_F(SuiteCatalogTest, AFailureByNameFailsOneSuite) {
    constexpr ASErr kFailure = MakeFourCharError("FAIL");
    standin::FailHostCall(1, kFailure, standin::HostCall::kAcquireSuite, kAIMenuSuite);
    const void* suite = &kFailure;
    EXPECT_EQ(StandinBasicSuite()->AcquireSuite(kAIMenuSuite, kAIMenuSuiteVersion, &suite),
              kFailure);
    EXPECT_EQ(suite, nullptr);
    EXPECT_EQ(StandinSuiteUseCount(kAIMenuSuite, kAIMenuSuiteVersion), 0);
    // The others are untouched.
    EXPECT_NE(AcquireSuite<void>(kAIFilterSuite, kAIFilterSuiteVersion), nullptr);
    EXPECT_TRUE(standin::HostCallFailed());
    standin::FailHostCall(0, kSPNoError);
    EXPECT_NE(AcquireSuite<void>(kAIMenuSuite, kAIMenuSuiteVersion), nullptr);
}

TEST_F(SuiteCatalogTest, TheHeapRefusesForeignBlocksAndTakesBackLeftovers) {
    const SPBasicSuite* basic = StandinBasicSuite();
    const SPBlocksSuite* blocks = StandinBlocksSuite();
    void* a = nullptr;
    void* b = nullptr;
    ASSERT_EQ(basic->AllocateBlock(16, &a), 0);
    ASSERT_EQ(blocks->AllocateBlock(0, "empty", &b), 0);
    EXPECT_EQ(OutstandingHostBlocks(), 2u);
    std::memcpy(a, "0123456789abcdef", 16);
    void* grown = nullptr;
    ASSERT_EQ(blocks->ReallocateBlock(a, 4096, "grown", &grown), 0);
    EXPECT_EQ(std::memcmp(grown, "0123456789abcdef", 16), 0);
    EXPECT_EQ(OutstandingHostBlocks(), 2u);

    int local = 0;
    EXPECT_EQ(blocks->FreeBlock(&local), kSPBadParameterError);
    void* moved = &local;
    EXPECT_EQ(basic->ReallocateBlock(&local, 8, &moved), kSPBadParameterError);
    EXPECT_EQ(moved, nullptr);
    EXPECT_EQ(blocks->FreeBlock(nullptr), 0);

    // Basic and Blocks share the heap.
    EXPECT_EQ(basic->FreeBlock(b), 0);
    EXPECT_EQ(blocks->FreeBlock(b), kSPBadParameterError);  // not twice
    EXPECT_EQ(OutstandingHostBlocks(), 1u);
    // A refusal the plug-in may ignore is still told.
    const std::vector<std::string> notes = TranscriptNotes();
    ASSERT_FALSE(notes.empty());
    EXPECT_NE(notes.back().find("had freed already; it was refused"), std::string::npos);
    FreeAllHostBlocks();
    EXPECT_EQ(OutstandingHostBlocks(), 0u);
}

}  // namespace
