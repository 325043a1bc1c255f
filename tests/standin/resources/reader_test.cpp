// The reader on what the plug-in's script does not hold: an extended dialog,
// resources in other languages, and texts without a code page 932 form.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "standin/resources/dialog_template.h"
#include "standin/resources/res_file.h"
#include "standin/resources/string_table.h"
#include "standin/resources/utf16_text.h"
#include "tests/standin/resources/resource_test_text.h"

namespace {

constexpr uint16_t kEnglish = 0x0409;

class ExtrasTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(LoadResFile(ORVELK_TEST_EXTRAS_RES, &file_), ResourceStatus::kOk);
    }

    // String `id` looked up in `language`, in UTF-8, or "<status>" on failure.
    std::string String(uint16_t id, uint16_t language) {
        std::string text;
        const ResourceStatus status = LoadResourceString(file_, id, language, &text);
        if (status != ResourceStatus::kOk)
            return std::string("<") + ResourceStatusText(status) + ">";
        return Utf8(text);
    }

    ResourceFile file_;
};

TEST_F(ExtrasTest, ExtendedDialogWithCustomControlAndCreationData) {
    // Only in English: a Japanese lookup falls back to it.
    const ResourceEntry* entry = FindResource(file_, kResourceTypeDialog, 100, kLanguageJapanese);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->language, kEnglish);
    DialogTemplate dialog;
    ASSERT_EQ(ParseDialogTemplate(ResourceData(file_, *entry), &dialog), ResourceStatus::kOk);

    EXPECT_TRUE(dialog.extended);
    EXPECT_EQ(dialog.style, 0x80C80048u);
    EXPECT_EQ(dialog.exStyle, 1u);
    EXPECT_EQ(dialog.helpId, 55u);
    EXPECT_EQ((std::vector<int16_t>{dialog.x, dialog.y, dialog.width, dialog.height}),
              (std::vector<int16_t>{10, 20, 120, 80}));
    EXPECT_EQ(Utf8(dialog.title), "Extended ～①");
    ASSERT_TRUE(dialog.hasFont);
    EXPECT_EQ(Utf8(dialog.fontName), "ＭＳ Ｐゴシック");
    EXPECT_EQ(dialog.pointSize, 9);
    EXPECT_EQ(dialog.weight, 700);
    EXPECT_TRUE(dialog.italic);
    EXPECT_EQ(dialog.charset, 128);
    ASSERT_EQ(dialog.items.size(), 4u);

    // A 32-bit id, a class by name, creation data after the text.
    const DialogItem& swatch = dialog.items[0];
    EXPECT_EQ(swatch.id, 70000u);
    EXPECT_EQ(swatch.itemClass, DialogItemClass::kCustom);
    EXPECT_EQ(swatch.classAtom, 0);
    EXPECT_EQ(swatch.className, "ORVELKSWATCH");  // the compiler stores class names in capitals
    EXPECT_EQ(swatch.exStyle, 0x200u);
    EXPECT_EQ(swatch.helpId, 77u);
    EXPECT_EQ(swatch.text.text, "Swatch");
    EXPECT_EQ(swatch.creationData, (std::vector<uint8_t>{0x01, 0x02, 0x03, 0x04}));

    // The items after it are found at their aligned places.
    EXPECT_EQ(dialog.items[1].id, 2u);
    EXPECT_EQ(dialog.items[1].itemClass, DialogItemClass::kButton);
    EXPECT_EQ(dialog.items[1].classAtom, 0x80);
    EXPECT_EQ(dialog.items[1].className, "Button");
    EXPECT_EQ(dialog.items[1].text.text, "Go");
    EXPECT_EQ(dialog.items[2].itemClass, DialogItemClass::kListBox);
    EXPECT_EQ(dialog.items[2].className, "ListBox");
    EXPECT_EQ(dialog.items[3].itemClass, DialogItemClass::kScrollBar);
    EXPECT_EQ((std::vector<int16_t>{dialog.items[3].x, dialog.items[3].y, dialog.items[3].width,
                                    dialog.items[3].height}),
              (std::vector<int16_t>{60, 30, 40, 8}));
}

TEST_F(ExtrasTest, StringsPreferTheLanguageAskedForThenNeutralThenAny) {
    EXPECT_EQ(String(500, kLanguageJapanese), "五百");
    EXPECT_EQ(String(500, kEnglish), "five hundred");
    EXPECT_EQ(String(300, kLanguageJapanese), "English only");
    EXPECT_EQ(String(400, kLanguageJapanese), "neutral");
    EXPECT_EQ(String(400, kEnglish), "neutral");
}

TEST_F(ExtrasTest, EmptyStringsAreFoundMissingBlocksAreNot) {
    // 502 is defined as "", 503 not at all: both read as empty from their
    // block, as the table format cannot tell them apart.
    EXPECT_EQ(String(502, kLanguageJapanese), "");
    EXPECT_EQ(String(503, kLanguageJapanese), "");
    // No block holds 1000.
    EXPECT_EQ(String(1000, kLanguageJapanese), "<not found>");
    EXPECT_EQ(String(0, kLanguageJapanese), "<not found>");
}

TEST_F(ExtrasTest, FindsNothingThatIsNotThere) {
    EXPECT_EQ(FindResource(file_, kResourceTypeDialog, 101, kLanguageJapanese), nullptr);
    EXPECT_EQ(FindResource(file_, kResourceTypeBitmap, 100, kLanguageJapanese), nullptr);
    EXPECT_EQ(FindResource(file_, "DIALOG", 100, kLanguageJapanese), nullptr);  // a name, not 5
}

// A plain template made by hand: no font, a menu and a class by number, and
// an item whose class atom is none of the predefined ones.
TEST(DialogTemplateTest, OrdinalsAndUnknownAtoms) {
    const std::vector<uint16_t> words = {
        0x0000, 0x9000,          // style: WS_POPUP | WS_VISIBLE, no DS_SETFONT
        0x0000, 0x0000,          // extended style
        1,                       // one item
        0,      0,      40, 30,  // rectangle
        0xFFFF, 7,               // menu 7
        0xFFFF, 0x8002,          // class atom 0x8002
        'T',    0,               // title
        0,                       // alignment
        0x0000, 0x5000, 0,  0,   // item style, extended style
        1,      2,      3,  4,   // rectangle
        9,                       // id
        0xFFFF, 0x0090,          // class atom 0x90
        0xFFFF, 300,             // text: resource 300
        0,                       // no creation data
    };
    std::vector<uint8_t> bytes;
    for (uint16_t w : words) {
        bytes.push_back(static_cast<uint8_t>(w));
        bytes.push_back(static_cast<uint8_t>(w >> 8));
    }
    DialogTemplate dialog;
    ASSERT_EQ(ParseDialogTemplate(bytes, &dialog), ResourceStatus::kOk);
    EXPECT_FALSE(dialog.extended);
    EXPECT_FALSE(dialog.hasFont);
    EXPECT_EQ(dialog.fontName, "");
    EXPECT_TRUE(dialog.menu.isOrdinal);
    EXPECT_EQ(dialog.menu.ordinal, 7);
    EXPECT_TRUE(dialog.windowClass.isOrdinal);
    EXPECT_EQ(dialog.windowClass.ordinal, 0x8002);
    EXPECT_EQ(dialog.title, "T");
    ASSERT_EQ(dialog.items.size(), 1u);
    const DialogItem& item = dialog.items[0];
    EXPECT_EQ(item.id, 9u);
    EXPECT_EQ(item.itemClass, DialogItemClass::kCustom);
    EXPECT_EQ(item.classAtom, 0x90);
    EXPECT_EQ(item.className, "#144");
    EXPECT_TRUE(item.text.isOrdinal);
    EXPECT_EQ(item.text.ordinal, 300);
    EXPECT_EQ((std::vector<int16_t>{item.x, item.y, item.width, item.height}),
              (std::vector<int16_t>{1, 2, 3, 4}));
}

TEST(Utf16TextTest, ConvertsToCodePage932AndMarksWhatHasNoForm) {
    EXPECT_EQ(Utf8(Utf16ToCp932(u"QRコード ～①")), "QRコード ～①");
    EXPECT_EQ(Utf16ToCp932(u""), "");
    // No code page 932 form: one '?' per character, a surrogate pair included.
    EXPECT_EQ(Utf16ToCp932(u"a\u00E9b"), "a?b");
    EXPECT_EQ(Utf16ToCp932(u"x\U0001F600y"), "x?y");
    // Lone surrogates, in the middle and at the end.
    const char16_t loneLow[] = {u'a', 0xDC00, u'b', 0};
    EXPECT_EQ(Utf16ToCp932(loneLow), "a?b");
    const char16_t loneHigh[] = {u'a', 0xD800, 0};
    EXPECT_EQ(Utf16ToCp932(loneHigh), "a?");
}

}  // namespace
