// Filtering by mode and mixed-mode segmentation.
#include "qr/text_filter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Filter(const std::string& text, char mode) {
    std::string out(text.size() + 1, '\x7E');  // non-zero fill shows stray writes
    const size_t n = FilterText(text.c_str(), mode, out.data());
    EXPECT_EQ(out[n], '\0');
    out.resize(n);
    return out;
}

struct Seg {
    DataMode mode;
    int32_t start, length;
    bool operator==(const Seg&) const = default;
};

std::vector<Seg> Segments(const std::string& filtered) {
    std::vector<Seg> segs;
    const auto length = static_cast<int32_t>(filtered.size());
    for (int32_t pos = 0; pos < length;) {
        const TextSegment s = NextMixedSegment(filtered.c_str(), length, pos);
        segs.push_back({s.mode, s.start, s.length});
        EXPECT_GT(s.length, 0);
        pos += s.length;
    }
    return segs;
}

// Shift-JIS: 亜 88 9F, 漢 8A BF, 表 95 5C, 院 89 40, ア (half-width) B1.
const std::string kA = "\x88\x9F", kKan = "\x8A\xBF", kHyo = "\x95\x5C";

TEST(TextFilter, NumericKeepsOnlyDigitsInOrder) {
    EXPECT_EQ(Filter("1 2a3-4,5", 'N'), "12345");
    EXPECT_EQ(Filter("abc", 'N'), "");
    EXPECT_EQ(Filter("\x82\x4F" "7", 'N'), "7");  // full-width zero is not a digit
}

TEST(TextFilter, AlphanumericKeepsLowerCaseDropsUnderscoreAndHighBytes) {
    EXPECT_EQ(Filter("ab_C", 'A'), "abC");
    EXPECT_EQ(Filter(" $%*+-./:", 'A'), " $%*+-./:");
    EXPECT_EQ(Filter(kA + kKan, 'A'), "");
    EXPECT_EQ(Filter("A\xB1" "B\x80", 'A'), "AB");
}

TEST(TextFilter, NumericAndAlphanumericDropTwoByteCharactersWhole) {
    // Full-width digits and letters: 1 2 3 are 82 50, 82 51, 82 52; A B are
    // 82 60, 82 61. Their second bytes must not pass for P, Q, R or a.
    const std::string fullDigits = "\x82\x50\x82\x51\x82\x52", fullLetters = "\x82\x60\x82\x61";
    EXPECT_EQ(Filter(fullDigits, 'A'), "");
    EXPECT_EQ(Filter(fullLetters, 'A'), "");
    EXPECT_EQ(Filter(fullDigits + fullLetters, 'N'), "");
    // A second byte in the digit range (0x88 0x31) is no digit either.
    EXPECT_EQ(Filter("\x88\x31" "5", 'N'), "5");
    // Between kept characters: the pair goes, its neighbours stay.
    EXPECT_EQ(Filter("A" + fullLetters + "B", 'A'), "AB");
    EXPECT_EQ(Filter("1" + kHyo + "2" + fullDigits + "3", 'N'), "123");
    EXPECT_EQ(Filter("x" + kA + "y", 'A'), "xy");
    // A lead byte that ends the text is dropped; nothing past the NUL is read.
    EXPECT_EQ(Filter("AB\x82", 'A'), "AB");
    EXPECT_EQ(Filter("12\x88", 'N'), "12");
    // Single bytes are filtered as before, also after a two-byte character.
    EXPECT_EQ(Filter(kKan + "a_b 9\xB1", 'A'), "ab 9");
}

TEST(TextFilter, KanjiKeepsWholeCharactersOnly) {
    EXPECT_EQ(Filter("x" + kA + "yz" + kKan + "w", 'K'), kA + kKan);
    EXPECT_EQ(Filter("\xB1" + kA + "\xDF", 'K'), kA);  // half-width katakana dropped
    EXPECT_EQ(Filter(kHyo, 'K'), kHyo);                // second byte 0x5C is part of it
    // A Kanji character whose second byte is itself a lead byte value.
    EXPECT_EQ(Filter("\x88\x81" + kA, 'K'), "\x88\x81" + kA);
}

TEST(TextFilter, LeadByteEndingTheTextIsDropped) {
    EXPECT_EQ(Filter(kA + "\x88", 'K'), kA);
    EXPECT_EQ(Filter("ab\x88", 'M'), "ab");
    EXPECT_EQ(Filter("\x88", 'M'), "");
    // 8-bit byte mode knows no characters: every byte stays.
    EXPECT_EQ(Filter("ab\x88", 'B'), "ab\x88");
}

TEST(TextFilter, KanjiDropsTwoByteCharactersOutsideTheKanjiRanges) {
    EXPECT_EQ(Filter("\xF0\x40" + kA, 'K'), kA);        // user-defined area
    EXPECT_EQ(Filter("\xEB\xC0" + kA, 'K'), kA);        // past 0xEBBF
    EXPECT_EQ(Filter("\x88\x7F" + kA, 'K'), kA);        // second byte 0x7F
    EXPECT_EQ(Filter("\x88\x30" + kA, 'K'), kA);        // second byte below 0x40
    // The dropped pair takes its second byte with it: 0x88 here is not a lead.
    EXPECT_EQ(Filter("\xF0\x88\x9F", 'K'), "");
}

TEST(TextFilter, ByteAndMixedKeepEveryByte) {
    const std::string all = "a\x01\x7F\x80\xA0\xFF" + kA;
    EXPECT_EQ(Filter(all, 'B'), all);
    EXPECT_EQ(Filter(all, 'M'), all);
    EXPECT_EQ(Filter(all, 'n'), all);  // lower-case n selects mixed mode
}

TEST(TextFilter, ClassifiesLeadBytesAndKanjiRanges) {
    EXPECT_FALSE(IsKanjiLeadByte(0x80));
    EXPECT_TRUE(IsKanjiLeadByte(0x81));
    EXPECT_TRUE(IsKanjiLeadByte(0x9F));
    EXPECT_FALSE(IsKanjiLeadByte(0xA0));
    EXPECT_FALSE(IsKanjiLeadByte(0xDF));
    EXPECT_TRUE(IsKanjiLeadByte(0xE0));
    EXPECT_TRUE(IsKanjiLeadByte(0xFC));
    EXPECT_FALSE(IsKanjiLeadByte(0xFD));
    EXPECT_TRUE(IsEncodableKanji(0x81, 0x40));
    EXPECT_TRUE(IsEncodableKanji(0x9F, 0xFC));
    EXPECT_TRUE(IsEncodableKanji(0xE0, 0x40));
    EXPECT_TRUE(IsEncodableKanji(0xEB, 0xBF));
    EXPECT_FALSE(IsEncodableKanji(0xEB, 0xC0));
    EXPECT_FALSE(IsEncodableKanji(0xEC, 0x40));
    EXPECT_FALSE(IsEncodableKanji(0x81, 0xFD));
}

TEST(MixedSegments, RunsOfKanjiAndOfBytes) {
    EXPECT_EQ(Segments(kA + kKan + "ab"),
              (std::vector<Seg>{{kModeKanji, 0, 4}, {kModeByte, 4, 2}}));
    EXPECT_EQ(Segments("a" + kA + "b"),
              (std::vector<Seg>{{kModeByte, 0, 1}, {kModeKanji, 1, 2}, {kModeByte, 3, 1}}));
    // A single byte between two Kanji characters is a segment of its own.
    EXPECT_EQ(Segments(kA + "1" + kKan),
              (std::vector<Seg>{{kModeKanji, 0, 2}, {kModeByte, 2, 1}, {kModeKanji, 3, 2}}));
    EXPECT_EQ(Segments("hello"), (std::vector<Seg>{{kModeByte, 0, 5}}));
}

TEST(MixedSegments, SecondByteThatLooksLikeALeadStaysWithItsCharacter) {
    // 0x88 0x81 is one character; the 0x81 does not start another.
    EXPECT_EQ(Segments("\x88\x81" + kA + "z"),
              (std::vector<Seg>{{kModeKanji, 0, 4}, {kModeByte, 4, 1}}));
    EXPECT_EQ(Segments(kHyo + "\\"),
              (std::vector<Seg>{{kModeKanji, 0, 2}, {kModeByte, 2, 1}}));
}

TEST(MixedSegments, TwoByteCharactersOutsideKanjiRangesTravelAsBytes) {
    EXPECT_EQ(Segments(kA + "\xF0\x40" + kKan),
              (std::vector<Seg>{{kModeKanji, 0, 2}, {kModeByte, 2, 2}, {kModeKanji, 4, 2}}));
    // Its second byte is consumed with it, even when it is a lead byte value.
    // (Read alone, 0x88 0x61 would be the Kanji character 0x8861.)
    EXPECT_EQ(Segments("\xF0\x88" "a"), (std::vector<Seg>{{kModeByte, 0, 3}}));
}

}  // namespace
