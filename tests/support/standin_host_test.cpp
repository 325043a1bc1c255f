#include "tests/support/standin_host_test.h"

#include "globals/plugin_state.h"
#include "standin/hooks/dialog_hooks.h"
#include "standin/dialogs/user_script.h"
#include "standin/hooks/host_hooks.h"
#include "standin/host/host_transcript.h"
#include "standin/host/standin_app_folder.h"

void StandinHostTest::SetUp() {
    AppFolderTest::SetUp();
    std::string why;
    ASSERT_TRUE(SetStandinAppFolder(AppFolder().c_str(), &why)) << why;
    ResetPluginState();
    session_ = std::make_unique<standin::HostSession>();
    standin::ClearTranscript();
}

void StandinHostTest::TearDown() {
    session_.reset();
    ResetPluginState();
    standin::FailHostCall(0, kSPNoError);
    standin::LogHostCalls(false);
    standin::DuringNextModalDialog(nullptr);
    standin::CountItemCalls(false);
    standin::SetUserScript({});
    standin::ClearTranscript();
    SetStandinAppFolder(nullptr);
    AppFolderTest::TearDown();
}

std::vector<std::string> HeardInTranscript() {
    std::vector<std::string> heard;
    for (const standin::TranscriptEntry& e : standin::Transcript()) {
        if (e.kind == standin::TranscriptEntry::Kind::kBeep) heard.push_back("beep");
        if (e.kind == standin::TranscriptEntry::Kind::kDialogShown && e.dialogId == 16051) {
            std::string code;
            for (const auto& item : e.items)
                if (item.id == 3) code = item.text;
            heard.push_back("dialog " + code);
        }
    }
    return heard;
}

bool AnythingShownInTranscript() {
    for (const standin::TranscriptEntry& e : standin::Transcript())
        if (e.kind == standin::TranscriptEntry::Kind::kDialogShown ||
            e.kind == standin::TranscriptEntry::Kind::kAlert)
            return true;
    return false;
}
