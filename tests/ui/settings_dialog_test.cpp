// The settings dialog's run through "AI Get Parameters": what its
// initialisation puts into the dialog, OK and Cancel with the preferences
// file, and the dialog without its suites or its preview's memory.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "standin/hooks/host_hooks.h"
#include "standin/host/host_blocks.h"
#include "standin/host/host_errors.h"
#include "standin/host/host_transcript.h"
#include "tests/ui/dialog_fixture.h"

namespace {

using standin::HostCall;

// Item, entries, first and last entry texts, stored (default) index.
struct PopupExpectation {
    int32_t item;
    size_t entries;
    const char* first;
    const char* last;
    int32_t selected;
};
const PopupExpectation kDefaultPopups[] = {
    {5, 4, "Ｌ(7%)", "Ｈ(30%)", 1}, {7, 41, "オート", "40", 0},  {9, 5, "数字", "混在", 2},
    {11, 11, "0.20", "5.00", 3},    {16, 9, "自動選択", "7", 0},
};

// The module's resources with one string missing from its table.
class WithoutString : public standin::ModuleResources {
  public:
    WithoutString(std::unique_ptr<standin::ModuleResources> all, int32_t missing)
        : all_(std::move(all)), missing_(missing) {}
    std::optional<std::vector<uint8_t>> Pipl() const override { return all_->Pipl(); }
    std::optional<standin::DialogResource> Dialog(int32_t id) const override {
        return all_->Dialog(id);
    }
    std::optional<std::string> String(int32_t id) const override {
        return id == missing_ ? std::nullopt : all_->String(id);
    }
    std::optional<std::vector<uint8_t>> Bitmap(int32_t id) const override {
        return all_->Bitmap(id);
    }

  private:
    std::unique_ptr<standin::ModuleResources> all_;
    int32_t missing_;
};

// The ADM Item, List and Entry calls logged, with the item each concerns:
// "ItemGetList 5".
std::vector<std::string> AdmCalls() {
    std::vector<std::string> calls;
    for (const standin::LoggedHostCall& c : standin::HostCallLog())
        if (c.call == HostCall::kADMItem || c.call == HostCall::kADMList)
            calls.push_back(c.name + " " + std::to_string(c.item));
    return calls;
}

size_t AlertsShown() {
    size_t alerts = 0;
    for (const standin::TranscriptEntry& e : standin::Transcript())
        alerts += e.kind == standin::TranscriptEntry::Kind::kAlert;
    return alerts;
}

using SettingsDialog = SettingsDialogTest;

TEST_F(SettingsDialog, OpensWithThePopupsFilledAndTheStoredSettingsSelected) {
    int16_t side = -1;
    std::string info;
    EXPECT_EQ(RunDialog([&](RunningDialog& d) {
                  side = Preview().side;
                  info = InfoText(d);
                  const standin::AdmDialog& dialog = *standin::FromRef(d.Ref());
                  EXPECT_EQ(dialog.plugin, plugin_);
                  EXPECT_EQ(dialog.name, "");
                  EXPECT_EQ(dialog.userData, nullptr);
                  for (const PopupExpectation& p : kDefaultPopups) {
                      const standin::AdmItem& item = d.Item(p.item);
                      ASSERT_NE(item.list, nullptr) << p.item;
                      const auto& entries = item.list->entries;
                      ASSERT_EQ(entries.size(), p.entries) << p.item;
                      EXPECT_EQ(entries.front()->text, Cp932(p.first)) << p.item;
                      EXPECT_EQ(entries.back()->text, Cp932(p.last)) << p.item;
                      for (const auto& entry : entries) {
                          EXPECT_TRUE(entry->enabled && !entry->separator) << p.item;
                      }
                      EXPECT_NE(item.notify, nullptr) << p.item;
                  }
                  const standin::AdmItem& text = d.Item(13);
                  EXPECT_EQ(text.text, "*SAMPLE TEXT*");
                  EXPECT_EQ(text.maxTextLength, 8192);
                  EXPECT_NE(text.notify, nullptr);
                  EXPECT_NE(d.Item(kOkItem).notify, nullptr);
                  // Cancel keeps ADM's handling; no item but the preview is
                  // drawn by the plug-in.
                  EXPECT_EQ(d.Item(kCancelItem).notify, nullptr);
                  for (const auto& item : dialog.items)
                      EXPECT_EQ(item->draw != nullptr, item->id == 3) << item->id;
              }),
              kSPNoError);
    EXPECT_EQ(ShownDialogIds(), std::vector<int32_t>{kSettingsDialog});
    const standin::DialogSnapshot dialog = LastDialog();
    EXPECT_EQ(dialog.result, kOkItem);
    for (const PopupExpectation& p : kDefaultPopups) {
        EXPECT_EQ(ItemOf(dialog, p.item).selected, p.selected) << p.item;
    }
    // OK closes through ADM's own handling.
    const std::vector<std::string> calls = AdmCalls();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "ItemDefaultNotify 1"), 1);
    // The default text fits version 1 at level M in 8-bit byte mode.
    EXPECT_EQ(side, 21);
    EXPECT_EQ(info, Cp932("最大文字数： 2331文字\r図形サイズ： 14.5×14.5mm\r"));
    EXPECT_EQ(ItemCalls(14).textWrites, 1u);
    EXPECT_EQ(ItemCalls(13).maxTextLength, 8192);
}

TEST_F(SettingsDialog, TalksToTheDialogManagerInThisOrder) {
    RunDialog();
    const std::vector<std::string> calls = AdmCalls();
    // The first popup, entry by entry.
    const std::vector<std::string> level = {
        "ItemGetList 5",     "ListInsertEntry 5", "EntrySetText 5", "EntryEnable 5",
        "ListInsertEntry 5", "EntrySetText 5",    "EntryEnable 5",
    };
    ASSERT_GT(calls.size(), level.size());
    EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + level.size()), level);
    // After the popups are filled: the stored entries selected, the text, the
    // notifications, the draw procedure, the information text; the host's
    // first paint of the preview; then OK.
    auto from = std::find(calls.begin(), calls.end(), "ListIndexEntry 5");
    ASSERT_NE(from, calls.end());
    const std::vector<std::string> rest = {
        "ItemGetList 5",
        "ListIndexEntry 5",
        "EntrySelect 5",
        "ItemGetList 7",
        "ListIndexEntry 7",
        "EntrySelect 7",
        "ItemGetList 9",
        "ListIndexEntry 9",
        "EntrySelect 9",
        "ItemGetList 11",
        "ListIndexEntry 11",
        "EntrySelect 11",
        "ItemGetList 16",
        "ListIndexEntry 16",
        "EntrySelect 16",
        "ItemSetText 13",
        "ItemSetMaxTextLength 13",
        "ItemSetNotifyProc 1",
        "ItemSetNotifyProc 5",
        "ItemSetNotifyProc 7",
        "ItemSetNotifyProc 13",
        "ItemSetNotifyProc 11",
        "ItemSetNotifyProc 9",
        "ItemSetNotifyProc 16",
        "ItemSetDrawProc 3",
        "ItemSetText 14",
        "ItemGetLocalRect 3",
        "ItemDefaultNotify 1",
    };
    EXPECT_EQ(std::vector<std::string>(from - 1, calls.end()), rest);
}

TEST_F(SettingsDialog, AStringThatCannotBeReadBecomesADisabledSeparatorInItsPlace) {
    plugin_->resources = std::make_unique<WithoutString>(std::move(plugin_->resources),
                                                         16113);  // version "2"
    Globals().version = 3;
    RunDialog([](RunningDialog& d) {
        const auto& version = d.Item(7).list->entries;
        ASSERT_EQ(version.size(), 41u);
        EXPECT_TRUE(version[2]->separator);
        EXPECT_FALSE(version[2]->enabled);
        EXPECT_EQ(version[3]->text, "3");
    });
    EXPECT_EQ(ItemOf(LastDialog(), 7).selected, 3);
}

TEST_F(SettingsDialog, AStoredIndexOutsideItsPopupBecomesThePopupsDefault) {
    PluginGlobals& g = Globals();
    g.level = 4;
    g.version = 41;
    g.mode = -1;
    g.moduleSize = 11;
    g.maskSetting = 9;
    std::string info;
    RunDialog([&](RunningDialog& d) { info = InfoText(d); });
    for (const PopupExpectation& p : kDefaultPopups) {
        EXPECT_EQ(ItemOf(LastDialog(), p.item).selected, p.selected) << p.item;
    }
    EXPECT_EQ(g.level, 1);
    EXPECT_EQ(g.version, 0);
    EXPECT_EQ(g.mode, 2);
    EXPECT_EQ(g.moduleSize, 3);
    EXPECT_EQ(g.maskSetting, 0);
    EXPECT_EQ(info, Cp932("最大文字数： 2331文字\r図形サイズ： 14.5×14.5mm\r"));
}

TEST_F(SettingsDialog, OkSavesTheSettingsAsTheyStandAndGivesZero) {
    const size_t blocksBefore = OutstandingHostBlocks();
    EXPECT_EQ(RunDialog([](RunningDialog& d) {
                  d.Choose(5, 3);  // H
                  d.Choose(7, 5);
                  d.Type(13, "a\\tb");
              }),
              kSPNoError);
    EXPECT_EQ(ReadPrefsFile(),
              "qr_ecclevel = 3\r\nqr_version = 5\r\nqr_encodemode = 2\r\nqr_cellsize = 3\r\n"
              "barcode_text00 = \"a\\tb\"\r\n");
    // The preview matrix is gone with the dialog.
    EXPECT_EQ(Globals().previewMatrix, nullptr);
    EXPECT_EQ(OutstandingHostBlocks(), blocksBefore);
}

TEST_F(SettingsDialog, CancelGivesStopKeepsTheChangesAndLeavesThePreferencesFile) {
    const std::string saved = "qr_ecclevel = 0\r\nqr_version = 2\r\n";
    WritePrefsFile(saved);
    EXPECT_EQ(RunDialog(
                  [](RunningDialog& d) {
                      d.Choose(9, 0);   // numeric
                      d.Choose(16, 4);  // mask pattern 3
                      d.Type(13, "12345");
                  },
                  kCancelItem),
              kCanceledErr);
    // No error dialog for "STOP".
    EXPECT_EQ(ShownDialogIds(), std::vector<int32_t>{kSettingsDialog});
    EXPECT_EQ(AlertsShown(), 0u);
    EXPECT_EQ(ReadPrefsFile(), saved);
    EXPECT_EQ(Globals().previewMatrix, nullptr);

    // The next dialog, and any drawing, go on with what the dialog showed.
    PluginGlobals& g = Globals();
    EXPECT_EQ(g.mode, 0);
    EXPECT_EQ(g.maskSetting, 4);
    EXPECT_STREQ(g.text, "12345");
    std::string info;
    RunDialog([&](RunningDialog& d) { info = InfoText(d); });
    const standin::DialogSnapshot dialog = LastDialog();
    EXPECT_EQ(ItemOf(dialog, 9).selected, 0);
    EXPECT_EQ(ItemOf(dialog, 16).selected, 4);
    EXPECT_EQ(ItemOf(dialog, 13).text, "12345");
    EXPECT_EQ(info, Cp932("最大文字数： 5595文字\r図形サイズ： 14.5×14.5mm\r"));
}

TEST_F(SettingsDialog, WithoutASuiteItCallsTheDialogIsNotShown) {
    for (const char* suite :
         {"ADM List Suite", "ADM Entry Suite", "ADM Drawer Suite", "SP Blocks Suite"}) {
        standin::FailHostCall(1, kSPSuiteNotFoundError, HostCall::kAcquireSuite, suite);
        EXPECT_EQ(RunDialog(), kSPSuiteNotFoundError) << suite;
        EXPECT_TRUE(standin::HostCallFailed()) << suite;
        // Neither the dialog nor an error dialog.
        EXPECT_TRUE(ShownDialogIds().empty()) << suite;
    }
}

TEST_F(SettingsDialog, WithoutMemoryForThePreviewTheDialogRunsWithAnEmptyOne) {
    std::string before, after;
    standin::PixelImage picture;
    standin::FailHostCall(1, kSPOutOfMemoryError, HostCall::kAllocateBlock);
    EXPECT_EQ(RunDialog([&](RunningDialog& d) {
                  EXPECT_TRUE(standin::HostCallFailed());
                  EXPECT_EQ(Globals().previewMatrix, nullptr);
                  before = InfoText(d);
                  standin::FailHostCall(0, kSPNoError);
                  d.Choose(5, 0);  // stored, nothing encoded
                  d.Type(13, "abc");
                  after = InfoText(d);
                  picture = standin::SnapshotItemPixels(d.Snapshot(), 3);
              }),
              kSPNoError);
    EXPECT_EQ(Globals().level, 0);
    EXPECT_STREQ(Globals().text, "abc");
    EXPECT_EQ(before, Cp932("最大文字数： 2331文字\r"));
    EXPECT_EQ(after, Cp932("最大文字数： 2953文字\r"));
    EXPECT_GT(picture.width, 2);
    EXPECT_GT(picture.height, 2);
    EXPECT_EQ(PixelsOffTheEmptyPreview(picture), 0);
}

}  // namespace
