// The stand-in's suite registry, and its suites installed into the plug-in's
// state for the plug-in's own code.
#include "standin/host/suite_registry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "globals/plugin_state.h"
#include "prefs/app_folder.h"
#include "standin/hooks/host_hooks.h"
#include "standin/suites/blocks_runtime/blocks_runtime.h"
#include "tests/support/standin_suite_install.h"

namespace {

constexpr char kTestSuite[] = "Test Suite";
const int kTestSuiteRecord = 0;  // any address serves as the suite

class SuiteRegistryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetStandinSuiteUse();
        ResetPluginState();
        RegisterStandinSuite(kTestSuite, 3, &kTestSuiteRecord);
        basic_ = StandinBasicSuite();
    }
    void TearDown() override {
        standin::FailHostCall(0, kSPNoError);
        UninstallStandinSuites();
        ResetPluginState();
        ResetStandinSuiteUse();
    }
    const SPBasicSuite* basic_ = nullptr;
};

TEST_F(SuiteRegistryTest, AcquisitionsAreCountedUntilReleased) {
    const void* suite = nullptr;
    ASSERT_EQ(basic_->AcquireSuite(kTestSuite, 3, &suite), 0);
    EXPECT_EQ(suite, &kTestSuiteRecord);
    ASSERT_EQ(basic_->AcquireSuite(kTestSuite, 3, &suite), 0);
    EXPECT_EQ(StandinSuiteUseCount(kTestSuite, 3), 2);
    EXPECT_EQ(basic_->ReleaseSuite(kTestSuite, 3), 0);
    EXPECT_EQ(basic_->ReleaseSuite(kTestSuite, 3), 0);
    EXPECT_EQ(StandinSuiteUseCount(kTestSuite, 3), 0);
    EXPECT_EQ(basic_->ReleaseSuite(kTestSuite, 3), kSPBadParameterError);
    EXPECT_EQ(StandinSuiteUseCount(kTestSuite, 3), 0);
}

TEST_F(SuiteRegistryTest, UnknownNameOrVersionIsNotFound) {
    const void* suite = &kTestSuiteRecord;
    EXPECT_EQ(basic_->AcquireSuite("No Such Suite", 3, &suite), kSPSuiteNotFoundError);
    EXPECT_EQ(suite, nullptr);
    suite = &kTestSuiteRecord;
    EXPECT_EQ(basic_->AcquireSuite(kTestSuite, 2, &suite), kSPSuiteNotFoundError);
    EXPECT_EQ(suite, nullptr);
    EXPECT_EQ(basic_->ReleaseSuite(kTestSuite, 4), kSPSuiteNotFoundError);
    EXPECT_EQ(StandinSuiteUseCount(kTestSuite, 3), 0);
}

TEST_F(SuiteRegistryTest, AFailureByNameFailsThatAcquisitionAlone) {
    standin::FailHostCall(1, kPluginOutOfMemoryError, standin::HostCall::kAcquireSuite, kTestSuite);
    const void* suite = &kTestSuiteRecord;
    EXPECT_EQ(basic_->AcquireSuite(kTestSuite, 3, &suite), kPluginOutOfMemoryError);
    EXPECT_EQ(suite, nullptr);
    EXPECT_EQ(StandinSuiteUseCount(kTestSuite, 3), 0);
    EXPECT_EQ(basic_->AcquireSuite(kTestSuite, 3, &suite), 0);
    EXPECT_EQ(basic_->ReleaseSuite(kTestSuite, 3), 0);
}

TEST_F(SuiteRegistryTest, TheCallLogNamesAcquisitionsAndTheFailureCountsOnlyItsName) {
    RegisterStandinSuite("Other Suite", 1, &kTestSuiteRecord);
    standin::LogHostCalls(true);
    standin::FailHostCall(2, kPluginOutOfMemoryError, standin::HostCall::kAcquireSuite, kTestSuite);
    const void* suite = nullptr;
    EXPECT_EQ(basic_->AcquireSuite(kTestSuite, 3, &suite), 0);
    EXPECT_EQ(basic_->AcquireSuite("Other Suite", 1, &suite), 0);
    EXPECT_FALSE(standin::HostCallFailed());
    EXPECT_EQ(basic_->AcquireSuite(kTestSuite, 3, &suite), kPluginOutOfMemoryError);
    EXPECT_TRUE(standin::HostCallFailed());
    standin::LogHostCalls(false);
    EXPECT_EQ(standin::LoggedHostCallNames(standin::HostCall::kAcquireSuite),
              (std::vector<std::string>{kTestSuite, "Other Suite", kTestSuite}));
    ASSERT_EQ(standin::HostCallLog().size(), 3u);
    EXPECT_EQ(standin::HostCallLog()[2].injected, kPluginOutOfMemoryError);
    EXPECT_EQ(standin::HostCallCount(standin::HostCall::kAcquireSuite), 3u);
    EXPECT_EQ(basic_->ReleaseSuite(kTestSuite, 3), 0);
    EXPECT_EQ(basic_->ReleaseSuite("Other Suite", 1), 0);
}

TEST_F(SuiteRegistryTest, StringEquality) {
    EXPECT_TRUE(basic_->IsEqual("AI Go", "AI Go"));
    EXPECT_FALSE(basic_->IsEqual("AI Go", "AI go"));
    EXPECT_FALSE(basic_->IsEqual("AI Go", "AI Go "));
}

TEST_F(SuiteRegistryTest, InstallationHoldsEachSuiteOnceAndReleasesIt) {
    ASSERT_EQ(InstallStandinSuites(), 0);
    ASSERT_EQ(InstallStandinSuites(), 0);
    EXPECT_EQ(gPluginState.basic, StandinBasicSuite());
    EXPECT_EQ(gPluginState.runtime, StandinRuntimeSuite());
    EXPECT_EQ(gPluginState.blocks, StandinBlocksSuite());
    EXPECT_EQ(StandinSuiteUseCount(kAIRuntimeSuite, kAIRuntimeSuiteVersion), 1);
    EXPECT_EQ(StandinSuiteUseCount(kSPBlocksSuite, kSPBlocksSuiteVersion), 1);

    EXPECT_EQ(UninstallStandinSuites(), 0);
    EXPECT_EQ(gPluginState.basic, nullptr);
    EXPECT_EQ(gPluginState.runtime, nullptr);
    EXPECT_EQ(gPluginState.blocks, nullptr);
    EXPECT_EQ(StandinSuiteUseCount(kAIRuntimeSuite, kAIRuntimeSuiteVersion), 0);
    EXPECT_EQ(StandinSuiteUseCount(kSPBlocksSuite, kSPBlocksSuiteVersion), 0);
}

TEST_F(SuiteRegistryTest, FailedRuntimeLeavesThePluginWithoutItsFolder) {
    standin::FailHostCall(1, kSPSuiteNotFoundError, standin::HostCall::kAcquireSuite,
                          kAIRuntimeSuite);
    EXPECT_EQ(InstallStandinSuites(), kSPSuiteNotFoundError);
    EXPECT_EQ(gPluginState.runtime, nullptr);
    EXPECT_EQ(gPluginState.blocks, StandinBlocksSuite());
    char folder[kAppFolderSize];
    EXPECT_EQ(FindAppFolder(folder), kSPSuiteNotFoundError);
}

TEST_F(SuiteRegistryTest, BlocksComeFromTheHeap) {
    ASSERT_EQ(InstallStandinSuites(), 0);
    void* block = nullptr;
    ASSERT_EQ(gPluginState.blocks->AllocateBlock(sizeof(PluginGlobals), "globals", &block), 0);
    ASSERT_NE(block, nullptr);
    SetDefaultGlobals(static_cast<PluginGlobals*>(block));
    EXPECT_EQ(gPluginState.blocks->FreeBlock(block), 0);
}

}  // namespace
