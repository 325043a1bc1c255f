#include "tests/support/standin_host_test.h"

#include "globals/plugin_state.h"
#include "standin/hooks/host_hooks.h"
#include "standin/host/standin_app_folder.h"
#include "tests/support/standin_suite_install.h"

void StandinHostTest::SetUp() {
    AppFolderTest::SetUp();
    std::string why;
    ASSERT_TRUE(SetStandinAppFolder(AppFolder().c_str(), &why)) << why;
    session_ = std::make_unique<standin::HostSession>();
    ResetPluginState();
    ASSERT_EQ(InstallStandinSuites(), kSPNoError);
}

void StandinHostTest::TearDown() {
    UninstallStandinSuites();
    ResetPluginState();
    session_.reset();
    standin::FailHostCall(0, kSPNoError);
    standin::LogHostCalls(false);
    SetStandinAppFolder(nullptr);
    AppFolderTest::TearDown();
}
