#include "tests/support/standin_plugin_test.h"

#include <cstdlib>

#include "shell/plugin_main.h"
#include "standin/app/module_resource_file.h"
#include "standin/hooks/dialog_hooks.h"
#include "standin/host/module_beeps.h"
#include "standin/host/host_transcript.h"
#include "standin/suites/adm/dialog_manager.h"

RunningDialog::RunningDialog(ADMDialogRef dialog) : ref_(dialog) {}

void RunningDialog::Play(const standin::UserStep& step) {
    standin::AdmDialog* dialog = standin::FromRef(ref_);
    const std::string misfit = standin::ApplyUserStep(dialog, step);
    EXPECT_EQ(misfit, "");
    // The host paints once the notification has returned, as after a
    // scripted step.
    if (misfit.empty() && !dialog->ended) standin::PaintDialogItems(dialog);
}

void RunningDialog::Choose(int32_t item, int32_t index) {
    Play({standin::UserStep::Action::kSelect, item, index, {}});
}

void RunningDialog::Type(int32_t item, const std::string& text) {
    Play({standin::UserStep::Action::kType, item, 0, text});
}

void RunningDialog::Press(int32_t item) {
    Play({standin::UserStep::Action::kPress, item, 0, {}});
}

standin::AdmItem& RunningDialog::Item(int32_t id) const {
    const standin::AdmDialog* dialog = standin::FromRef(ref_);
    standin::AdmItem* item = dialog != nullptr ? standin::FindItem(dialog, id) : nullptr;
    if (item == nullptr) {
        ADD_FAILURE() << "the dialog has no item " << id;
        std::abort();
    }
    return *item;
}

standin::DialogSnapshot RunningDialog::Snapshot() const {
    return standin::SnapshotDialog(ref_);
}

void StandinPluginTest::SetUp() {
    StandinHostTest::SetUp();
    InstallTableFile();
    std::string why;
    auto resources = standin::ReadModuleResourceSection(ORVELK_TEST_MODULE_PATH, &why);
    ASSERT_NE(resources, nullptr) << why;
    plugin_ = standin::AddBuiltinPlugin("Orvelk.aip", std::move(resources), PluginMain);
#if defined(_WIN32)
    // The plug-in's code is linked into this program: its MessageBeep is
    // heard as a loaded module's is, through the program's own import.
    standin::HookMessageBeepImport(GetModuleHandleW(nullptr));
#endif
    if (startPlugin_) {
        ASSERT_EQ(standin::StartupPlugin(plugin_), kSPNoError);
    }
    standin::ClearTranscript();
}

void StandinPluginTest::TearDown() {
    StandinHostTest::TearDown();
    plugin_ = nullptr;
}

ASErr StandinPluginTest::Send(const char* caller, const char* selector, SPMessageData* message) {
    return standin::SendPluginMessage(plugin_, caller, selector, message);
}

void StandinPluginTest::DuringNextDialog(std::function<void(RunningDialog&)> user) {
    standin::DuringNextModalDialog([user = std::move(user)](ADMDialogRef ref) {
        RunningDialog dialog(ref);
        user(dialog);
    });
}

std::vector<int32_t> ShownDialogIds() {
    std::vector<int32_t> ids;
    for (const standin::TranscriptEntry& e : standin::Transcript())
        if (e.kind == standin::TranscriptEntry::Kind::kDialogShown) ids.push_back(e.dialogId);
    return ids;
}
