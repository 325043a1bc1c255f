// The escapes typed into the text item.
#include "ui/escape_text.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/cp932_text.h"

namespace {

std::string Translate(const std::string& typed) {
    std::string text(typed.size() + 1, '\x7F');
    const size_t length = TranslateEscapes(typed.c_str(), text.data());
    EXPECT_EQ(text[length], '\0');
    text.resize(length);
    return text;
}

TEST(TranslateEscapes, BackslashWithRNOrTBecomesItsByte) {
    EXPECT_EQ(Translate("a\\nb"), "a\nb");
    EXPECT_EQ(Translate("\\r\\n\\t"), "\r\n\t");
    // The first backslash stands before a backslash: kept, and the second
    // one begins the escape.
    EXPECT_EQ(Translate("\\\\n"), "\\\n");
    // Before any other byte, and at the end, a backslash stays.
    EXPECT_EQ(Translate("\\a\\N\\x"), "\\a\\N\\x");
    EXPECT_EQ(Translate("end\\"), "end\\");
    // Control bytes typed for real pass unchanged.
    EXPECT_EQ(Translate("a\nb\tc"), "a\nb\tc");
    EXPECT_EQ(Translate(""), "");
}

TEST(TranslateEscapes, ASecondByte5CIsNoBackslash) {
    // ソ is 83 5C and 表 is 95 5C.
    for (const char* character : {"ソ", "表"}) {
        const std::string kanji = Cp932(character);
        ASSERT_EQ(kanji[1], '\\');
        for (const char* letter : {"n", "r", "t"}) {
            EXPECT_EQ(Translate(kanji + letter), kanji + letter) << character << letter;
        }
        // After the character, an escape of its own still counts.
        EXPECT_EQ(Translate(kanji + "\\n"), kanji + "\n");
    }
}

TEST(TranslateEscapes, ALeadByteAtTheEndIsDropped) {
    EXPECT_EQ(Translate("ab\x83"), "ab");
    EXPECT_EQ(Translate("\xE0"), "");
    // A lead byte followed by a backslash keeps it as its second byte.
    EXPECT_EQ(Translate("\x83\\n"), "\x83\\n");
    // A single-byte katakana (A1 to DF) is no lead byte.
    EXPECT_EQ(Translate("\xB1\\n"), "\xB1\n");
}

}  // namespace
