// UTF-8 <-> code page 932 through iconv.
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

}  // namespace
