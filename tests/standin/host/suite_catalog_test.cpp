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

TEST_F(SuiteCatalogTest, TheSuitesThePluginCallsWorkAndTheOthersAreEmpty) {
    const std::pair<const char*, const void*> working[] = {
        {kSPBlocksSuite, StandinBlocksSuite()},
        {kAIRuntimeSuite, StandinRuntimeSuite()},
        {kAIFilterSuite, standin::StandinFilterSuite()},
        {kAIMenuSuite, standin::StandinMenuSuite()},
        {kAIActionManagerSuite, standin::StandinActionManagerSuite()},
        {kAIUserSuite, standin::StandinUserSuite()},
        {kAIDocumentViewSuite, standin::StandinDocumentViewSuite()},
        {kAIArtSuite, standin::StandinArtSuite()},
        {kAIPathSuite, standin::StandinPathSuite()},
        {kAIPathStyleSuite, standin::StandinPathStyleSuite()},
        {kADMDialogSuite, standin::StandinADMDialogSuite()},
        {kADMItemSuite, standin::StandinADMItemSuite()},
        {kADMListSuite, standin::StandinADMListSuite()},
        {kADMEntrySuite, standin::StandinADMEntrySuite()},
        {kADMDrawerSuite, standin::StandinADMDrawerSuite()},
        {kADMBasicSuite, standin::StandinADMBasicSuite()},
    };
    // The others are records of traps, one of their own each.
    std::set<const void*> trapped;
    for (const CatalogSuite& s : kSuiteCatalog) {
        const void* expected = nullptr;
        for (const auto& [name, record] : working)
            if (std::strcmp(name, s.name) == 0) expected = record;
        const void* suite = AcquireSuite<void>(s.name, s.version);
        ASSERT_NE(suite, nullptr) << s.name;
        if (expected != nullptr)
            EXPECT_EQ(suite, expected) << s.name;
        else
            trapped.insert(suite);
        StandinBasicSuite()->ReleaseSuite(s.name, s.version);
    }
    EXPECT_EQ(trapped.size(), 133u - std::size(working));
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
    FreeAllHostBlocks();
    EXPECT_EQ(OutstandingHostBlocks(), 0u);
}

}  // namespace
