// A test of the plug-in's code against the stand-in host instead of a host of
// its own: an application folder of the test's own chosen as the stand-in's,
// a fresh host session (no plug-in loaded), and the stand-in's Blocks and
// Runtime suites in the plug-in's state. The test hooks of
// standin/hooks/host_hooks.h (the call log, the failure of the k-th call of
// a kind) are the test's to set; they are cleared after it.
#pragma once

#include <memory>

#include "standin/app/host_session.h"
#include "tests/support/app_folder_test.h"

class StandinHostTest : public AppFolderTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    std::unique_ptr<standin::HostSession> session_;
};
