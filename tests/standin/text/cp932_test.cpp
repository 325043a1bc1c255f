// UTF-8 <-> code page 932: through iconv here, through the system on Windows,
// one table and the same failures on both.
#include "standin/text/cp932.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp932, ConvertsKanjiKanaAndTheWindowsExtensions) {
    // ＱＲコード... : the filter's menu title.
    Cp932Result r = Utf8ToCp932("\xEF\xBC\xB1\xEF\xBC\xB2\xE3\x82\xB3\xE3\x83\xBC\xE3\x83\x89...");
    ASSERT_EQ(r.status, Cp932Status::kOk);
    EXPECT_EQ(r.bytes, "\x82\x70\x82\x71\x83\x52\x81\x5B\x83\x68...");
    // ～ (U+FF5E) and ① (U+2460) exist only in the Windows code page.
    EXPECT_EQ(Utf8ToCp932("\xEF\xBD\x9E\xE2\x91\xA0").bytes, "\x81\x60\x87\x40");
    EXPECT_EQ(Cp932ToUtf8("\x95\x5C").bytes, "\xE8\xA1\xA8");  // 表, second byte 0x5C
}

// ASCII is itself in both encodings (the backslash and the tilde too, as the
// Windows code page has them), whether or not a converter is opened for it.
TEST(Cp932, AsciiIsItself) {
    std::string ascii;
    for (int c = 0; c < 0x80; ++c) ascii += static_cast<char>(c);
    EXPECT_EQ(Utf8ToCp932(ascii).bytes, ascii);
    EXPECT_EQ(Cp932ToUtf8(ascii).bytes, ascii);
    // One byte beyond ASCII goes through the converter, with the rest.
    EXPECT_EQ(Utf8ToCp932(ascii + "\xE8\xA1\xA8").bytes, ascii + "\x95\x5C");
    EXPECT_EQ(Cp932ToUtf8(ascii + "\x95\x5C").bytes, ascii + "\xE8\xA1\xA8");
}

TEST(Cp932, ReportsWhereConversionFails) {
    Cp932Result noForm = Utf8ToCp932("ab\xF0\x9F\x98\x80");  // an emoji
    EXPECT_EQ(noForm.status, Cp932Status::kNoCp932Form);
    EXPECT_EQ(noForm.offset, 2u);
    Cp932Result bad = Utf8ToCp932("abc\xC3");  // cut-off sequence
    EXPECT_EQ(bad.status, Cp932Status::kInvalidUtf8);
    EXPECT_EQ(bad.offset, 3u);
    EXPECT_EQ(Cp932ToUtf8("a\x88").status, Cp932Status::kInvalidCp932);
    EXPECT_EQ(Cp932ToUtf8Lossy("a\x88"), "a\xEF\xBF\xBD");
}

// Where the system's table of Windows and iconv's differ, the Windows build
// keeps iconv's answers, so that both builds write the same bytes.
TEST(Cp932, GivesTheSameFormsOnEveryBuild) {
    // One-way forms: the JIS characters for ¥ ‾ — ‖ − 〜 ¢ £ ¬.
    EXPECT_EQ(Utf8ToCp932("\xC2\xA5\xE2\x80\xBE").bytes, "\x5C\x7E");
    EXPECT_EQ(Utf8ToCp932("\xE2\x80\x94\xE2\x80\x96\xE2\x88\x92\xE3\x80\x9C").bytes,
              "\x81\x5C\x81\x61\x81\x7C\x81\x60");
    EXPECT_EQ(Utf8ToCp932("\xC2\xA2\xC2\xA3\xC2\xAC").bytes, "\x81\x91\x81\x92\x81\xCA");
    // Characters with two codes: the IBM extension for ⅰ and 纊, the NEC row
    // for Ⅰ, the JIS code for ¬'s full-width form.
    EXPECT_EQ(Utf8ToCp932("\xE2\x85\xB0\xE7\xBA\x8A").bytes, "\xFA\x40\xFA\x5C");
    EXPECT_EQ(Utf8ToCp932("\xE2\x85\xA0\xEF\xBF\xA2").bytes, "\x87\x54\x81\xCA");
    // Both codes of 纊 read back as it.
    EXPECT_EQ(Cp932ToUtf8("\xED\x40\xFA\x5C").bytes, "\xE7\xBA\x8A\xE7\xBA\x8A");
    // U+0080 has no form; the single bytes 0x80, 0xA0 and 0xFD to 0xFF are
    // no characters.
    EXPECT_EQ(Utf8ToCp932("x\xC2\x80").status, Cp932Status::kNoCp932Form);
    EXPECT_EQ(Utf8ToCp932("x\xEF\xA3\xB0").status, Cp932Status::kNoCp932Form);  // U+F8F0
    // Tag characters (U+E0041 here) are dropped.
    EXPECT_EQ(Utf8ToCp932("a\xF3\xA0\x81\x81" "b").bytes, "ab");
    for (const char* bytes : {"ab\x80", "ab\xA0", "ab\xFD", "ab\xFF"}) {
        const Cp932Result r = Cp932ToUtf8(bytes);
        EXPECT_EQ(r.status, Cp932Status::kInvalidCp932) << bytes;
        EXPECT_EQ(r.offset, 2u) << bytes;
    }
}

TEST(Cp932, RefusesMalformedInputAtItsFirstByte) {
    // Overlong, a surrogate, above U+10FFFF, a sequence broken in the middle.
    for (const char* utf8 : {"xy\xC0\xAF", "xy\xED\xA0\x80", "xy\xF4\x90\x80\x80", "xy\xE3\x81z"}) {
        const Cp932Result r = Utf8ToCp932(utf8);
        EXPECT_EQ(r.status, Cp932Status::kInvalidUtf8) << utf8;
        EXPECT_EQ(r.offset, 2u) << utf8;
    }
    // A lead byte with a byte that cannot follow it, and one cut off.
    const Cp932Result badTrail = Cp932ToUtf8("\x82\xA0\x81\x20");
    EXPECT_EQ(badTrail.status, Cp932Status::kInvalidCp932);
    EXPECT_EQ(badTrail.offset, 2u);
    EXPECT_EQ(Cp932ToUtf8("\x82\xA0\x82").offset, 2u);
    EXPECT_EQ(Cp932ToUtf8Lossy("\x82\xA0\x80z"), "\xE3\x81\x82\xEF\xBF\xBDz");
}

}  // namespace
