// The texts between the dialogs' items (code page 932) and the widgets
// (UTF-8): what typing gives the plug-in and what a length limit lets in.
#include "standin/window/window_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using standin::FittingInsertion;
using standin::MnemonicLabel;
using standin::RefusedCharacterText;
using standin::TypedCp932;
using standin::WithoutForeignCharacters;

TEST(WindowText, CharactersCodePage932LacksDoNotEnterTheText) {
    std::string refused;
    EXPECT_EQ(WithoutForeignCharacters("ＱＲコード abc", &refused), "ＱＲコード abc");
    EXPECT_EQ(refused, "");
    // "café😀": the first one left out is named, the rest kept.
    EXPECT_EQ(WithoutForeignCharacters("caf\xC3\xA9\xF0\x9F\x98\x80!", &refused), "caf!");
    EXPECT_EQ(refused, "\xC3\xA9");
    EXPECT_EQ(RefusedCharacterText(refused),
              "The character '\xC3\xA9' (U+00E9) was not typed: the text is code page 932, "
              "which has no such character.");
    // One that shows as nothing is named by its code point.
    EXPECT_EQ(WithoutForeignCharacters("a\xE2\x80\x8B", &refused), "a");
    EXPECT_NE(RefusedCharacterText(refused).find("U+200B was not typed"), std::string::npos);
}

TEST(WindowText, TypedTextReachesThePluginInCodePage932) {
    EXPECT_EQ(TypedCp932("abc"), "abc");
    EXPECT_EQ(TypedCp932("ソ表"), "\x83\x5c\x95\x5c");  // second bytes 0x5C stay theirs
    EXPECT_EQ(TypedCp932("～①"), "\x81\x60\x87\x40");   // the Windows code page's forms
    // Characters without a code page 932 form become '?', each alone.
    EXPECT_EQ(TypedCp932("a😀bÅ"), "a?b?");
    EXPECT_EQ(TypedCp932(std::string("x\xff", 2)), "x?");
    EXPECT_EQ(TypedCp932(""), "");
}

TEST(WindowText, ALimitLetsInWholeCharactersUpToItsBytes) {
    EXPECT_EQ(FittingInsertion(0, "abcdef", -1), 6u);
    EXPECT_EQ(FittingInsertion(0, "abcdef", 4), 4u);
    EXPECT_EQ(FittingInsertion(3, "abcdef", 4), 1u);
    EXPECT_EQ(FittingInsertion(4, "abc", 4), 0u);
    EXPECT_EQ(FittingInsertion(9, "abc", 4), 0u);  // a field already over its limit
    // "ＱＲ" is 6 bytes of UTF-8 and 4 of code page 932: 3 bytes of room let in
    // one character, never half of one.
    EXPECT_EQ(FittingInsertion(5, "ＱＲ", 8), 3u);
    EXPECT_EQ(FittingInsertion(4, "ＱＲ", 8), 6u);
    // An emoji counts as its '?'.
    EXPECT_EQ(FittingInsertion(7, "😀a", 8), 4u);
}

TEST(WindowText, ButtonLabelsKeepTheirMnemonics) {
    EXPECT_EQ(MnemonicLabel("OK"), "OK");
    EXPECT_EQ(MnemonicLabel("&Cancel"), "_Cancel");
    EXPECT_EQ(MnemonicLabel("A&&B_c&"), "A&B__c");
    EXPECT_EQ(MnemonicLabel("\x83\x4c\x83\x83\x83\x93\x83\x5a\x83\x8b"), "キャンセル");
}

}  // namespace
