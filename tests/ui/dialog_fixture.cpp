#include "tests/ui/dialog_fixture.h"

#include <filesystem>

#include "standin/resources/res_file.h"
#include "standin/resources/string_table.h"

namespace {

constexpr uint16_t kJapanese = 1041;

// The popups' string lists: first string and count.
constexpr int32_t kPopupLists[][2] = {
    {16101, 4}, {16111, 41}, {16161, 5}, {16171, 11}, {16191, 9},
};

}  // namespace

void SettingsDialogTest::SetUp() {
    PluginTest::SetUp();
    const std::string prefs = AppFolder() + "Prefs/Orvelk";
    std::filesystem::create_directories(prefs);
    std::filesystem::copy_file(ORVELK_TEST_APP_DIR "/Prefs/Orvelk/ORVK_QR.DAT",
                               prefs + "/ORVK_QR.DAT");
    ResourceFile resources;
    ASSERT_EQ(LoadResFile(ORVELK_TEST_PLUGIN_RES, &resources), ResourceStatus::kOk);
    for (const auto& [first, count] : kPopupLists) {
        for (int32_t id = first; id < first + count; ++id) {
            std::string text;
            ASSERT_EQ(LoadResourceString(resources, static_cast<uint16_t>(id), kJapanese, &text),
                      ResourceStatus::kOk);
            host_.strings[id] = text;
        }
    }
    ASSERT_EQ(Send("SP Interface", "Startup"), kSPNoError);
    host_.modals.clear();
    host_.admCalls.clear();
    filter_ = {FakeMessage(), kFakeFilter, nullptr};
}

ASErr SettingsDialogTest::RunDialog(const std::function<void()>& user, int32_t closeWith) {
    host_.duringModal = user;
    host_.closeWith = closeWith;
    const ASErr result = Send("AI Filter", "AI Get Parameters", &filter_);
    host_.duringModal = nullptr;
    host_.closeWith = kFakeOkItem;
    return result;
}

void SettingsDialogTest::RemoveTableFile() const {
    std::filesystem::remove(AppFolder() + "Prefs/Orvelk/ORVK_QR.DAT");
}
