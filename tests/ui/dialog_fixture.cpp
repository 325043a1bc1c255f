#include "tests/ui/dialog_fixture.h"

#include <cstdlib>
#include <filesystem>

#include "standin/dialogs/user_script.h"
#include "standin/hooks/host_hooks.h"
#include "standin/host/host_transcript.h"
#include "standin/suites/adm/dialog_manager.h"
#include "standin/suites/filter_menu/filters.h"

ASErr SettingsDialogTest::RunDialog(const std::function<void(RunningDialog&)>& user,
                                    int32_t closeWith) {
    standin::ClearTranscript();
    standin::ClearClosedDialogs();
    standin::LogHostCalls(true);
    standin::CountItemCalls(true);
    bool ran = false;
    if (user) {
        DuringNextDialog([&](RunningDialog& dialog) {
            ran = true;
            user(dialog);
        });
    }
    // OK is the default button, pressed when the script is done.
    std::vector<standin::UserStep> steps;
    if (closeWith != kOkItem) steps.push_back({standin::UserStep::Action::kPress, closeWith, 0, {}});
    standin::SetUserScript(std::move(steps));
    const std::vector<const standin::Filter*> filters = standin::Filters();
    EXPECT_FALSE(filters.empty());
    if (filters.empty()) return kSPBadParameterError;
    AIFilterMessage filter = {{}, standin::FilterHandle(filters.front()), nullptr};
    const ASErr result = Send("AI Filter", "AI Get Parameters", &filter.d);
    standin::DuringNextModalDialog(nullptr);
    // A dialog that never came up must not pass for one in which all went
    // well.
    if (user) {
        EXPECT_TRUE(ran) << "the dialog did not come up";
    }
    return result;
}

standin::DialogSnapshot SettingsDialogTest::LastDialog() {
    const standin::DialogSnapshot* closed = standin::LastClosedDialog(kSettingsDialog);
    return closed != nullptr ? *closed : standin::DialogSnapshot();
}

const standin::SnapshotItem& SettingsDialogTest::ItemOf(const standin::DialogSnapshot& snapshot,
                                                        int32_t id) {
    const standin::SnapshotItem* item = standin::FindSnapshotItem(snapshot, id);
    if (item == nullptr) {
        ADD_FAILURE() << "dialog " << snapshot.dialogId << " has no item " << id;
        std::abort();
    }
    return *item;
}

void SettingsDialogTest::RemoveTableFile() const {
    std::filesystem::remove(AppFolder() + "Prefs/Orvelk/ORVK_QR.DAT");
}

int32_t PixelsOffTheEmptyPreview(const standin::PixelImage& pixels) {
    int32_t off = 0;
    for (int32_t y = 0; y < pixels.height; ++y) {
        for (int32_t x = 0; x < pixels.width; ++x) {
            const bool frame = x == 0 || y == 0 || x == pixels.width - 1 || y == pixels.height - 1;
            if (pixels.At(x, y) != (frame ? 0u : 0xFFFFFFu)) ++off;
        }
    }
    return off;
}
