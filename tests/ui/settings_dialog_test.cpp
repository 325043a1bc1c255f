// The settings dialog's run through "AI Get Parameters": what its
// initialisation puts into the dialog, OK and Cancel with the preferences
// file, and the dialog without its suites or its preview's memory.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/platform/gdi_test_support.h"
#include "tests/ui/dialog_fixture.h"

namespace {

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

// The index of the selected entry of a popup, -1 for none.
int32_t SelectedIndex(const FakeItem& item) {
    for (size_t i = 0; i < item.entries.size(); ++i) {
        if (item.entries[i]->selected) return static_cast<int32_t>(i);
    }
    return -1;
}

using SettingsDialog = SettingsDialogTest;

TEST_F(SettingsDialog, OpensWithThePopupsFilledAndTheStoredSettingsSelected) {
    int16_t side = -1;
    std::string info;
    EXPECT_EQ(RunDialog([&] {
                  side = Preview().side;
                  info = InfoText();
              }),
              kSPNoError);
    ASSERT_EQ(host_.modals.size(), 1u);
    const RecordedModal& dialog = LastDialog();
    EXPECT_EQ(dialog.dialogID, 16052);
    EXPECT_FALSE(dialog.hasName);
    EXPECT_EQ(dialog.style, kADMModalDialogStyle);
    EXPECT_EQ(dialog.userData, nullptr);
    EXPECT_EQ(dialog.self, kFakeSelf);
    for (const PopupExpectation& p : kDefaultPopups) {
        const FakeItem& item = dialog.items.at(p.item);
        ASSERT_EQ(item.entries.size(), p.entries) << p.item;
        EXPECT_EQ(item.entries.front()->text, Cp932(p.first)) << p.item;
        EXPECT_EQ(item.entries.back()->text, Cp932(p.last)) << p.item;
        for (const auto& entry : item.entries) {
            EXPECT_TRUE(entry->enabled && !entry->separator) << p.item;
        }
        EXPECT_EQ(SelectedIndex(item), p.selected) << p.item;
        EXPECT_NE(item.notify, nullptr) << p.item;
    }
    const FakeItem& text = dialog.items.at(13);
    EXPECT_EQ(text.text, "*SAMPLE TEXT*");
    EXPECT_EQ(text.maxTextLength, 8192);
    EXPECT_NE(text.notify, nullptr);
    EXPECT_NE(dialog.items.at(1).notify, nullptr);
    EXPECT_EQ(dialog.defaultNotifies, 1);  // OK closes through ADM's own handling
    EXPECT_NE(dialog.items.at(3).draw, nullptr);
    // Cancel keeps ADM's handling; no item but the preview is drawn by the plug-in.
    EXPECT_EQ(dialog.items.count(2), 0u);
    // The default text fits version 1 at level M in 8-bit byte mode.
    EXPECT_EQ(side, 21);
    EXPECT_EQ(info, Cp932("最大文字数： 2331文字\r図形サイズ： 14.5×14.5mm\r"));
    EXPECT_EQ(dialog.items.at(14).textWrites, 1);
}

TEST_F(SettingsDialog, TalksToTheDialogManagerInThisOrder) {
    RunDialog();
    const std::vector<std::string>& calls = host_.admCalls;
    // The first popup, entry by entry, the strings read into 62 bytes.
    const std::vector<std::string> level = {
        "GetList 5",    "InsertEntry 5 0", "GetIndexString 16101 0 62", "Entry.SetText 5:0",
        "Enable 5:0 1", "InsertEntry 5 1", "GetIndexString 16101 1 62", "Entry.SetText 5:1",
        "Enable 5:1 1",
    };
    ASSERT_GT(calls.size(), level.size());
    EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + level.size()), level);
    // After the popups are filled: the stored entries selected, the text, the
    // notifications, the draw procedure, the information text; then OK.
    auto from = std::find(calls.begin(), calls.end(), "IndexEntry 5 1");
    ASSERT_NE(from, calls.end());
    const std::vector<std::string> rest = {
        "GetList 5",
        "IndexEntry 5 1",
        "Select 5:1 1",
        "GetList 7",
        "IndexEntry 7 0",
        "Select 7:0 1",
        "GetList 9",
        "IndexEntry 9 2",
        "Select 9:2 1",
        "GetList 11",
        "IndexEntry 11 3",
        "Select 11:3 1",
        "GetList 16",
        "IndexEntry 16 0",
        "Select 16:0 1",
        "SetText 13",
        "SetMaxTextLength 13 8192",
        "SetNotifyProc 1",
        "SetNotifyProc 5",
        "SetNotifyProc 7",
        "SetNotifyProc 13",
        "SetNotifyProc 11",
        "SetNotifyProc 9",
        "SetNotifyProc 16",
        "SetDrawProc 3",
        "SetText 14",
        "DefaultNotify 1",
    };
    EXPECT_EQ(std::vector<std::string>(from - 1, calls.end()), rest);
}

TEST_F(SettingsDialog, AStringThatCannotBeReadBecomesADisabledSeparatorInItsPlace) {
    host_.strings.erase(16113);  // version "2"
    Globals().version = 3;
    RunDialog();
    const FakeItem& version = LastDialog().items.at(7);
    ASSERT_EQ(version.entries.size(), 41u);
    EXPECT_TRUE(version.entries[2]->separator);
    EXPECT_FALSE(version.entries[2]->enabled);
    EXPECT_EQ(version.entries[3]->text, "3");
    EXPECT_EQ(SelectedIndex(version), 3);
}

TEST_F(SettingsDialog, AStoredIndexOutsideItsPopupBecomesThePopupsDefault) {
    PluginGlobals& g = Globals();
    g.level = 4;
    g.version = 41;
    g.mode = -1;
    g.moduleSize = 11;
    g.maskSetting = 9;
    std::string info;
    RunDialog([&] { info = InfoText(); });
    for (const PopupExpectation& p : kDefaultPopups) {
        EXPECT_EQ(SelectedIndex(LastDialog().items.at(p.item)), p.selected) << p.item;
    }
    EXPECT_EQ(g.level, 1);
    EXPECT_EQ(g.version, 0);
    EXPECT_EQ(g.mode, 2);
    EXPECT_EQ(g.moduleSize, 3);
    EXPECT_EQ(g.maskSetting, 0);
    EXPECT_EQ(info, Cp932("最大文字数： 2331文字\r図形サイズ： 14.5×14.5mm\r"));
}

TEST_F(SettingsDialog, OkSavesTheSettingsAsTheyStandAndGivesZero) {
    const int32_t blocksBefore = host_.liveBlocks;
    EXPECT_EQ(RunDialog([] {
                  FakeUserChooses(5, 3);  // H
                  FakeUserChooses(7, 5);
                  FakeUserTypes(13, "a\\tb");
              }),
              kSPNoError);
    EXPECT_EQ(ReadPrefsFile(),
              "qr_ecclevel = 3\r\nqr_version = 5\r\nqr_encodemode = 2\r\nqr_cellsize = 3\r\n"
              "barcode_text00 = \"a\\tb\"\r\n");
    // The preview matrix is gone with the dialog.
    EXPECT_EQ(Globals().previewMatrix, nullptr);
    EXPECT_EQ(host_.liveBlocks, blocksBefore);
}

TEST_F(SettingsDialog, CancelGivesStopKeepsTheChangesAndLeavesThePreferencesFile) {
    const std::string saved = "qr_ecclevel = 0\r\nqr_version = 2\r\n";
    WritePrefsFile(saved);
    EXPECT_EQ(RunDialog(
                  [] {
                      FakeUserChooses(9, 0);   // numeric
                      FakeUserChooses(16, 4);  // mask pattern 3
                      FakeUserTypes(13, "12345");
                  },
                  kFakeCancelItem),
              kCanceledErr);
    EXPECT_EQ(host_.modals.size(), 1u);  // no error dialog for "STOP"
    EXPECT_TRUE(host_.alerts.empty());
    EXPECT_EQ(ReadPrefsFile(), saved);
    EXPECT_EQ(Globals().previewMatrix, nullptr);

    // The next dialog, and any drawing, go on with what the dialog showed.
    PluginGlobals& g = Globals();
    EXPECT_EQ(g.mode, 0);
    EXPECT_EQ(g.maskSetting, 4);
    EXPECT_STREQ(g.text, "12345");
    std::string info;
    RunDialog([&] { info = InfoText(); });
    EXPECT_EQ(SelectedIndex(LastDialog().items.at(9)), 0);
    EXPECT_EQ(SelectedIndex(LastDialog().items.at(16)), 4);
    EXPECT_EQ(LastDialog().items.at(13).text, "12345");
    EXPECT_EQ(info, Cp932("最大文字数： 5595文字\r図形サイズ： 14.5×14.5mm\r"));
}

TEST_F(SettingsDialog, WithoutASuiteItCallsTheDialogIsNotShown) {
    for (const char* suite :
         {"ADM List Suite", "ADM Entry Suite", "ADM Drawer Suite", "SP Blocks Suite"}) {
        host_.modals.clear();
        host_.acquireFailures = {{suite, kSPSuiteNotFoundError}};
        EXPECT_EQ(RunDialog(), kSPSuiteNotFoundError) << suite;
        EXPECT_TRUE(host_.modals.empty()) << suite;  // neither the dialog nor an error
    }
}

TEST_F(SettingsDialog, WithoutMemoryForThePreviewTheDialogRunsWithAnEmptyOne) {
    std::string before, after;
    std::string picture;
    host_.allocateGivesNull = true;
    EXPECT_EQ(RunDialog([&] {
                  EXPECT_EQ(Globals().previewMatrix, nullptr);
                  before = InfoText();
                  host_.allocateGivesNull = false;
                  FakeUserChooses(5, 0);  // stored, nothing encoded
                  FakeUserTypes(13, "abc");
                  after = InfoText();
                  host_.itemRects[3] = ADMRect{0, 0, 5, 4};
                  gdi_test::Window window(5, 4);
                  EXPECT_TRUE(FakeDrawItem(3, window.dc));
                  picture = window.Text();
              }),
              kSPNoError);
    EXPECT_EQ(Globals().level, 0);
    EXPECT_STREQ(Globals().text, "abc");
    EXPECT_EQ(before, Cp932("最大文字数： 2331文字\r"));
    EXPECT_EQ(after, Cp932("最大文字数： 2953文字\r"));
    EXPECT_EQ(picture, "#####|#...#|#...#|#####|");
}

}  // namespace
