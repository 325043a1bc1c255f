// Tests of the plug-in's code against the stand-in host instead of a host of
// their own. The test hooks of standin/hooks/ (the call log, the failure of
// the k-th call of a kind, code run inside a modal dialog, the counts of item
// calls) and the scripted user's steps are the test's to set; they are
// cleared after it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "standin/app/host_session.h"
#include "tests/support/app_folder_test.h"

// An application folder of the test's own chosen as the stand-in's, and a
// fresh host session with no plug-in loaded.
class StandinHostTest : public AppFolderTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    std::unique_ptr<standin::HostSession> session_;
};

// The beeps and the code texts of the plug-in's error dialogs in the
// transcript, in order: "beep", "dialog -1".
std::vector<std::string> HeardInTranscript();

// Whether the transcript shows a dialog or an alert.
bool AnythingShownInTranscript();
