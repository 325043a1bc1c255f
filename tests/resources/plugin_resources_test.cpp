// The plug-in's resources as the build compiles them, read back: the PiPL,
// the three dialogs with every item, the About picture and the string lists.
#include <gtest/gtest.h>

#include <span>
#include <utility>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "standin/resources/bitmap_resource.h"
#include "standin/resources/dialog_template.h"
#include "standin/resources/elf_section.h"
#include "standin/resources/pipl.h"
#include "standin/resources/res_file.h"
#include "standin/resources/string_table.h"
#include "tests/standin/resources/resource_test_text.h"

namespace {

// Window and control styles, with the values of the Windows headers.
constexpr uint32_t kPopup = 0x80000000;
constexpr uint32_t kChild = 0x40000000;
constexpr uint32_t kVisible = 0x10000000;
constexpr uint32_t kCaption = 0x00C00000;
constexpr uint32_t kBorder = 0x00800000;
constexpr uint32_t kSysMenu = 0x00080000;
constexpr uint32_t kModalFrame = 0x80;
constexpr uint32_t kSetFont = 0x40;

constexpr uint32_t kDefPushButton = 0x1;
constexpr uint32_t kPushButton = 0x0;
constexpr uint32_t kLeftText = 0x0;
constexpr uint32_t kRightText = 0x2;
constexpr uint32_t kBlackFrame = 0x7;
constexpr uint32_t kOwnerDraw = 0xD;
constexpr uint32_t kBitmap = 0xE;
constexpr uint32_t kDropDownList = 0x3;

constexpr char kMarker[] = "<Mac strings begin at index 1>";

// One item as the dialog tables give it. `low` is the item's type in the
// low bits of its style (button type, static type, combo box type); for an
// edit item, the border instead.
struct ExpectedItem {
    uint32_t id;
    DialogItemClass itemClass;
    uint32_t low;
    int16_t x, y, width, height;
    const char* text;  // UTF-8
};

class PluginResourcesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(LoadResFile(ORVELK_TEST_PLUGIN_RES, &file_), ResourceStatus::kOk);
    }

    DialogTemplate Dialog(uint16_t id) {
        const ResourceEntry* entry =
            FindResource(file_, kResourceTypeDialog, id, kLanguageJapanese);
        DialogTemplate dialog;
        EXPECT_NE(entry, nullptr) << "dialog " << id;
        if (entry == nullptr) return dialog;
        EXPECT_EQ(entry->language, kLanguageJapanese);
        EXPECT_EQ(ParseDialogTemplate(ResourceData(file_, *entry), &dialog), ResourceStatus::kOk);
        return dialog;
    }

    std::string String(uint16_t id) {
        std::string text;
        EXPECT_EQ(LoadResourceString(file_, id, kLanguageJapanese, &text), ResourceStatus::kOk)
            << "string " << id;
        return Utf8(text);
    }

    // The marker just below `base`, then the entries from `base` on, then
    // nothing more in the list.
    void ExpectPopupList(uint16_t base, const std::vector<std::string>& entries) {
        EXPECT_EQ(String(base - 1), kMarker);
        for (size_t i = 0; i < entries.size(); ++i) {
            EXPECT_EQ(String(static_cast<uint16_t>(base + i)), entries[i]) << "entry " << i;
        }
        std::string after;
        const ResourceStatus status = LoadResourceString(
            file_, static_cast<uint16_t>(base + entries.size()), kLanguageJapanese, &after);
        EXPECT_TRUE(status == ResourceStatus::kNotFound || after.empty())
            << "an entry after the list: " << Utf8(after);
    }

    ResourceFile file_;
};

void ExpectItems(const DialogTemplate& dialog, const std::vector<ExpectedItem>& expected) {
    ASSERT_EQ(dialog.items.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const DialogItem& item = dialog.items[i];
        const ExpectedItem& want = expected[i];
        SCOPED_TRACE("item " + std::to_string(want.id));
        EXPECT_EQ(item.id, want.id);
        EXPECT_EQ(item.itemClass, want.itemClass);
        EXPECT_EQ(item.style & (kChild | kVisible), kChild | kVisible);
        if (want.itemClass == DialogItemClass::kEdit) {
            EXPECT_EQ(item.style & kBorder, kBorder);
        } else {
            EXPECT_EQ(item.style & 0x1F, want.low);
        }
        EXPECT_EQ(item.x, want.x);
        EXPECT_EQ(item.y, want.y);
        EXPECT_EQ(item.width, want.width);
        EXPECT_EQ(item.height, want.height);
        EXPECT_FALSE(item.text.isOrdinal);
        EXPECT_EQ(Utf8(item.text.text), want.text);
    }
}

void ExpectModalFrame(const DialogTemplate& dialog) {
    EXPECT_FALSE(dialog.extended);
    const uint32_t frame = kPopup | kCaption | kSysMenu | kModalFrame | kSetFont;
    EXPECT_EQ(dialog.style & frame, frame);
    EXPECT_TRUE(dialog.menu.text.empty());
    EXPECT_FALSE(dialog.menu.isOrdinal);
    EXPECT_TRUE(dialog.hasFont);
}

TEST_F(PluginResourcesTest, EveryResourceIsJapanese) {
    ASSERT_FALSE(file_.entries.empty());
    for (const ResourceEntry& entry : file_.entries) EXPECT_EQ(entry.language, kLanguageJapanese);
}

TEST_F(PluginResourcesTest, PiPLIsTheSeventyEightBytesTheHostReads) {
    const ResourceEntry* entry =
        FindResource(file_, kResourceTypePiPL, ORVELK_PIPL_ID, kLanguageJapanese);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(ORVELK_PIPL_ID, 16000);
    const std::vector<uint8_t> expected = {
        0x01, 0x00,                                      // reserved
        0x00, 0x00, 0x00, 0x00,                          // version
        0x03, 0x00, 0x00, 0x00,                          // three properties
        'E',  'B',  'D',  'A',  'd',  'n',  'i',  'k',   // "ADBE" "kind"
        0x00, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00,  // id 0, 4 bytes
        'A',  'E',  'P',  'S',                           // "SPEA"
        'E',  'B',  'D',  'A',  's',  'r',  'v',  'i',   // "ADBE" "ivrs"
        0x00, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00,  // id 0, 4 bytes
        0x02, 0x00, 0x00, 0x00,                          // 2
        'E',  'B',  'D',  'A',  '6',  '8',  'x',  'w',   // "ADBE" "wx86"
        0x00, 0x00, 0x00, 0x00, 0x0C, 0x00, 0x00, 0x00,  // id 0, 12 bytes
        'P',  'l',  'u',  'g',  'i',  'n',  'M',  'a',  'i', 'n', 0x00, 0x00,
    };
    ASSERT_EQ(expected.size(), 78u);
    const std::span<const uint8_t> data = ResourceData(file_, *entry);
    EXPECT_EQ(std::vector<uint8_t>(data.begin(), data.end()), expected);

    PiPLInfo info;
    ASSERT_EQ(ParsePiPL(data, &info), ResourceStatus::kOk);
    EXPECT_EQ(info.kind, kPiPLKindHostPlugin);
    EXPECT_EQ(info.interfaceVersion, kPiPLInterfaceVersion);
    EXPECT_EQ(info.entryPoint, "PluginMain");
    EXPECT_EQ(info.propertyCount, 3);
}

TEST_F(PluginResourcesTest, AboutBox) {
    const DialogTemplate about = Dialog(ORVELK_ABOUT_DIALOG_ID);
    EXPECT_EQ(ORVELK_ABOUT_DIALOG_ID, 16050);
    ExpectModalFrame(about);
    EXPECT_EQ(about.title, "About Orvelk");
    EXPECT_EQ(about.fontName, "MS Sans Serif");
    EXPECT_EQ(about.pointSize, 8);
    EXPECT_EQ(about.width, 210);
    EXPECT_EQ(about.height, 171);
    ASSERT_EQ(about.items.size(), 3u);

    const DialogItem* ok = FindDialogItem(about, 1);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->itemClass, DialogItemClass::kButton);
    EXPECT_EQ(ok->style & 0xF, kDefPushButton);
    EXPECT_EQ(ok->text.text, "OK");
    EXPECT_EQ((std::vector<int16_t>{ok->x, ok->y, ok->width, ok->height}),
              (std::vector<int16_t>{154, 149, 45, 14}));

    // The picture names its bitmap by number.
    const DialogItem* picture = FindDialogItem(about, 2);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->itemClass, DialogItemClass::kStatic);
    EXPECT_EQ(picture->style & 0x1F, kBitmap);
    EXPECT_TRUE(picture->text.isOrdinal);
    EXPECT_EQ(picture->text.ordinal, ORVELK_ABOUT_BITMAP_ID);
    EXPECT_EQ((std::vector<int16_t>{picture->x, picture->y, picture->width, picture->height}),
              (std::vector<int16_t>{6, 5, 50, 50}));

    const DialogItem* version = FindDialogItem(about, 6);
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->itemClass, DialogItemClass::kStatic);
    EXPECT_EQ(version->text.text, "Orvelk Ver1.21");
    EXPECT_EQ((std::vector<int16_t>{version->x, version->y, version->width, version->height}),
              (std::vector<int16_t>{139, 40, 64, 20}));
}

TEST_F(PluginResourcesTest, AboutPictureIsAFiftyPixelSquare) {
    EXPECT_EQ(ORVELK_ABOUT_BITMAP_ID, 16052);
    const ResourceEntry* entry =
        FindResource(file_, kResourceTypeBitmap, ORVELK_ABOUT_BITMAP_ID, kLanguageJapanese);
    ASSERT_NE(entry, nullptr);
    BitmapInfo info;
    ASSERT_EQ(ParseBitmapResource(ResourceData(file_, *entry), &info), ResourceStatus::kOk);
    EXPECT_EQ(info.width, 50);
    EXPECT_EQ(info.height, 50);
    EXPECT_EQ(info.bitCount, 1);
    EXPECT_EQ(info.colorCount, 2u);
    EXPECT_EQ(info.pixelSize, 50u * 8);

    // It decodes to what the window shows: a version 1 symbol at two pixels
    // a module inside a quiet zone of two modules, rows from the top.
    BitmapPixels bitmap;
    ASSERT_EQ(DecodeBitmapResource(ResourceData(file_, *entry), &bitmap), ResourceStatus::kOk);
    ASSERT_EQ(bitmap.width, 50);
    ASSERT_EQ(bitmap.height, 50);
    const auto at = [&](int x, int y) { return bitmap.rgb[static_cast<size_t>(y) * 50 + x]; };
    constexpr uint32_t kWhite = 0xFFFFFF, kBlack = 0;
    EXPECT_EQ(at(3, 3), kWhite);
    // The three finder patterns' outer corners: top left, top right, bottom left.
    for (const auto& [x, y] : {std::pair{4, 4}, std::pair{45, 4}, std::pair{4, 45}})
        EXPECT_EQ(at(x, y), kBlack) << x << "," << y;
    EXPECT_EQ(at(46, 46), kWhite);  // the quiet zone
    // The finder's light ring, one module in.
    EXPECT_EQ(at(6, 6), kWhite);
    EXPECT_EQ(at(8, 8), kBlack);
}

TEST_F(PluginResourcesTest, ErrorDialog) {
    const DialogTemplate error = Dialog(ORVELK_ERROR_DIALOG_ID);
    EXPECT_EQ(ORVELK_ERROR_DIALOG_ID, 16051);
    ExpectModalFrame(error);
    EXPECT_EQ(error.title, "Plug-in Error");
    EXPECT_EQ(error.fontName, "MS Sans Serif");
    EXPECT_EQ(error.pointSize, 8);
    EXPECT_EQ(error.width, 185);
    EXPECT_EQ(error.height, 92);
    ExpectItems(error, {
                           {1, DialogItemClass::kButton, kDefPushButton, 127, 65, 50, 14, "OK"},
                           {2, DialogItemClass::kStatic, kLeftText, 43, 12, 126, 28, "Message"},
                           {3, DialogItemClass::kStatic, kLeftText, 13, 66, 30, 8, "Code"},
                           {4, DialogItemClass::kStatic, kBlackFrame, 10, 10, 18, 20, ""},
                       });
}

TEST_F(PluginResourcesTest, SettingsDialog) {
    const DialogTemplate settings = Dialog(ORVELK_SETTINGS_DIALOG_ID);
    EXPECT_EQ(ORVELK_SETTINGS_DIALOG_ID, 16052);
    ExpectModalFrame(settings);
    EXPECT_EQ(Utf8(settings.title), "Orvelk QRコード");
    EXPECT_EQ(Utf8(settings.fontName), "ＭＳ Ｐゴシック");
    EXPECT_EQ(settings.pointSize, 9);
    EXPECT_EQ(settings.width, 300);
    EXPECT_EQ(settings.height, 245);
    using enum DialogItemClass;
    ExpectItems(settings, {
                              {1, kButton, kDefPushButton, 173, 220, 50, 14, "OK"},
                              {2, kButton, kPushButton, 237, 220, 50, 14, "Cancel"},
                              {3, kStatic, kOwnerDraw, 150, 10, 139, 154, "dummy"},
                              {4, kStatic, kRightText, 10, 19, 52, 10, "誤り訂正レベル："},
                              {5, kComboBox, kDropDownList, 65, 17, 76, 12, ""},
                              {6, kStatic, kRightText, 10, 39, 52, 10, "バージョン："},
                              {7, kComboBox, kDropDownList, 65, 37, 76, 12, ""},
                              {8, kStatic, kRightText, 10, 59, 52, 10, "モード："},
                              {9, kComboBox, kDropDownList, 65, 57, 76, 12, ""},
                              {10, kStatic, kRightText, 10, 79, 52, 10, "セルサイズ："},
                              {11, kComboBox, kDropDownList, 65, 77, 76, 12, ""},
                              {15, kStatic, kRightText, 10, 99, 52, 10, "マスク選択："},
                              {16, kComboBox, kDropDownList, 65, 97, 76, 12, ""},
                              {14, kStatic, kLeftText, 10, 125, 132, 49, "最大文字数："},
                              {12, kStatic, kLeftText, 10, 179, 69, 10, "エンコード文字列："},
                              {13, kEdit, 0, 10, 193, 279, 15, ""},
                          });
}

TEST_F(PluginResourcesTest, ErrorTable) {
    EXPECT_EQ(ORVELK_ERROR_TABLE_ID, 16050);
    const std::string memory =
        "The filter cannot complete because there isn't enough memory (RAM) available.";
    const std::vector<std::string> expected = {
        kMarker,
        "-108",
        memory,
        "271",
        memory,
        "SEGM",
        "The filter cannot complete because a layer is locked or invisible.",
        "NESS",
        "The filter cannot complete because a path has too many anchor points.",
        "!sel",
        "The selection is not valid for this filter.",
        "<Others>",
        "The filter cannot complete because of an unknown error.",
    };
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(String(static_cast<uint16_t>(ORVELK_ERROR_TABLE_ID + i)), expected[i])
            << "index " << i;
    }
    // The reporter's search ends at the first empty string after the pairs.
    EXPECT_EQ(String(ORVELK_ERROR_TABLE_ID + 13), "");
}

TEST_F(PluginResourcesTest, PopupLists) {
    ExpectPopupList(ORVELK_LEVEL_LIST_BASE, {"Ｌ(7%)", "Ｍ(15%)", "Ｑ(25%)", "Ｈ(30%)"});
    std::vector<std::string> versions = {"オート"};
    for (int v = 1; v <= 40; ++v) versions.push_back(std::to_string(v));
    ExpectPopupList(ORVELK_VERSION_LIST_BASE, versions);
    ExpectPopupList(ORVELK_MODE_LIST_BASE, {"数字", "英数", "バイナリ", "漢字", "混在"});
    ExpectPopupList(ORVELK_CELL_LIST_BASE, {"0.20", "0.25", "0.33", "0.50", "0.75", "1.00", "1.50",
                                            "2.00", "3.00", "4.00", "5.00"});
    ExpectPopupList(ORVELK_MASK_LIST_BASE, {"自動選択", "0", "1", "2", "3", "4", "5", "6", "7"});
    EXPECT_EQ(
        (std::vector<int>{ORVELK_LEVEL_LIST_BASE, ORVELK_VERSION_LIST_BASE, ORVELK_MODE_LIST_BASE,
                          ORVELK_CELL_LIST_BASE, ORVELK_MASK_LIST_BASE}),
        (std::vector<int>{16101, 16111, 16161, 16171, 16191}));
}

// The module carries the compiled resources unchanged in its ".rsrc" section.
TEST(EmbeddedResourcesTest, ModuleSectionHoldsTheCompiledResources) {
    const std::vector<uint8_t> res = ReadTestFile(ORVELK_TEST_PLUGIN_RES);
    const std::vector<uint8_t> module = ReadTestFile(ORVELK_TEST_MODULE);
    std::span<const uint8_t> section;
    ASSERT_EQ(FindElfSection(module, kResourceSectionName, &section), ResourceStatus::kOk);
    EXPECT_EQ(std::vector<uint8_t>(section.begin(), section.end()), res);

    ResourceFile file;
    ASSERT_EQ(LoadModuleResources(ORVELK_TEST_MODULE, &file), ResourceStatus::kOk);
    const ResourceEntry* pipl = FindResource(file, "pipl", ORVELK_PIPL_ID, kLanguageJapanese);
    ASSERT_NE(pipl, nullptr);
    PiPLInfo info;
    ASSERT_EQ(ParsePiPL(ResourceData(file, *pipl), &info), ResourceStatus::kOk);
    EXPECT_EQ(info.entryPoint, "PluginMain");
    const ResourceEntry* settings =
        FindResource(file, kResourceTypeDialog, ORVELK_SETTINGS_DIALOG_ID, kLanguageJapanese);
    ASSERT_NE(settings, nullptr);
    DialogTemplate dialog;
    ASSERT_EQ(ParseDialogTemplate(ResourceData(file, *settings), &dialog), ResourceStatus::kOk);
    EXPECT_EQ(dialog.items.size(), 16u);
}

}  // namespace
