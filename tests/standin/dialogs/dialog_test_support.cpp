#include "tests/standin/dialogs/dialog_test_support.h"

#include <cstring>
#include <filesystem>

#include "platform/gdi_monitor.h"
#include "standin/app/module_resource_file.h"
#include "standin/suites/adm/dialog_manager.h"
#include "standin/dialogs/user_script.h"
#include "standin/host/host_transcript.h"
#include "standin/host/plugins.h"
#include "standin/text/cp932.h"

void DrawingModuleTest::SetUp() {
    GdiReset();
    standin::ClearTranscript();
    session_ = std::make_unique<standin::HostSession>();
    ASSERT_TRUE(session_->LoadAndStartPlugins(ORVELK_DRAWING_MODULE_DIR));
    ASSERT_EQ(standin::Plugins().size(), 1u);
    plugin_ = standin::Plugins().front().get();
}

void DrawingModuleTest::TearDown() {
    session_.reset();
    standin::ClearTranscript();
    GdiReset();
}

DrawingDialogMessage DrawingModuleTest::Run(int32_t dialogId, const std::string& script) {
    std::vector<standin::UserStep> steps;
    std::string why;
    EXPECT_TRUE(standin::ParseUserScript(script, &steps, &why)) << why;
    standin::SetUserScript(std::move(steps));
    DrawingDialogMessage message;
    std::memset(&message, 0, sizeof message);
    message.dialogId = dialogId;
    EXPECT_EQ(
        standin::SendPluginMessage(plugin_, kDrawingCaller, kDrawingDialogSelector, &message.d), 0);
    return message;
}

const standin::DialogSnapshot& DrawingModuleTest::Closed(int32_t dialogId) {
    static const standin::DialogSnapshot kNone;
    const standin::DialogSnapshot* closed = standin::LastClosedDialog(dialogId);
    EXPECT_NE(closed, nullptr) << "dialog " << dialogId << " did not close";
    return closed != nullptr ? *closed : kNone;
}

std::optional<standin::DialogResource> OrvelkDialog(int32_t id) {
    const std::string path = std::string(ORVELK_TEST_APP_DIR) + "/Plug-ins/Orvelk.aip";
    if (!std::filesystem::exists(path)) return std::nullopt;
    std::string why;
    std::unique_ptr<standin::ModuleResources> resources =
        standin::ReadModuleResourceSection(path, &why);
    if (resources == nullptr) return std::nullopt;
    return resources->Dialog(id);
}

std::string Cp932(const std::string& utf8) {
    return Utf8ToCp932(utf8).bytes;
}
