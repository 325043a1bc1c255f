// Item texts as pictures show them: line breaks, mnemonic prefixes and
// control characters.
#include "standin/render/display_text.h"

#include <gtest/gtest.h>

#include "tests/standin/dialogs/dialog_test_support.h"

namespace {

using standin::EditLineText;
using standin::LabelText;

TEST(DisplayText, LabelsBreakAtCrLfAndCrLfAlike) {
    EXPECT_EQ(LabelText("a\rb\nc\r\nd\r", true).utf8, "a\nb\nc\nd\n");
    EXPECT_EQ(LabelText("\r\n\r\n", true).utf8, "\n\n");
    EXPECT_EQ(LabelText(Cp932("最大文字数： 14文字\r図形サイズ： 14.5×14.5mm\r"), true).utf8,
              "最大文字数： 14文字\n図形サイズ： 14.5×14.5mm\n");
    EXPECT_EQ(LabelText("a\tb\x01", true).utf8, "a\tb\u2401");
}

TEST(DisplayText, PrefixesUnderlineTheNextCharacterUnlessTurnedOff) {
    standin::DisplayText t = LabelText("&OK", true);
    EXPECT_EQ(t.utf8, "OK");
    ASSERT_EQ(t.underlined.size(), 1u);
    EXPECT_EQ(t.underlined[0], (std::pair<size_t, size_t>{0, 1}));
    t = LabelText(Cp932("a&表&&b&"), true);
    EXPECT_EQ(t.utf8, "a表&b");
    ASSERT_EQ(t.underlined.size(), 1u);
    EXPECT_EQ(t.underlined[0], (std::pair<size_t, size_t>{1, 4}));  // all three bytes of 表
    t = LabelText("R&&D &\r", true);
    EXPECT_EQ(t.utf8, "R&D \n");
    EXPECT_TRUE(t.underlined.empty());
    EXPECT_EQ(LabelText("a&b&&", false).utf8, "a&b&&");
}

TEST(DisplayText, EditLinesShowEveryControlCharacter) {
    EXPECT_EQ(EditLineText("a\r\nb\tc\x7F"), "a\u240D\u240Ab\u2409c\u2421");
    EXPECT_EQ(EditLineText(Cp932("ソ\\n")), "ソ\\n");
    // Bytes that are not code page 932 do not stop the line.
    EXPECT_EQ(EditLineText("a\x81"), "a\uFFFD");
}

}  // namespace
