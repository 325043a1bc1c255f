// The data bit stream: items, count widths, terminator, packing and padding.
#include "qr/bit_stream.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "qr/data_codewords.h"
#include "qr/symbol_encoder.h"

namespace {

struct Encoded {
    int32_t rc;
    int32_t version;
    std::string hex;  // data codewords, "10 20 0C ..."
};

Encoded Encode(const std::string& text, char level, char mode, int32_t version = 0) {
    auto data = std::make_unique<DataCodewords>();
    Encoded e{BuildDataCodewords(text.c_str(), level, mode, version, data.get()), data->version, ""};
    for (int32_t i = 0; i < data->dataCount; ++i) {
        char b[4];
        std::snprintf(b, sizeof b, i ? " %02X" : "%02X", data->bytes[i]);
        e.hex += b;
    }
    return e;
}

std::string Pads(int count) {
    std::string s;
    for (int i = 0; i < count; ++i) s += (i % 2 == 0) ? " EC" : " 11";
    return s;
}

// The stream of a filtered text run through the stages up to the terminator,
// as the engine runs them.
struct Stream {
    std::vector<int32_t> values;
    std::vector<uint8_t> widths;
    std::vector<int32_t> countItems;
    StreamItems items{};
    SegmentList segments{};
    int32_t sum = 0, version = 0, cap = 0, rc = 0;

    Stream(const std::string& filtered, char mode, char level, int32_t versionArg = 0) {
        const auto length = static_cast<int32_t>(filtered.size());
        values.assign(StreamItemCapacity(length), 0);
        widths.assign(StreamItemCapacity(length) + 24, 0);
        countItems.assign(kMaxSegments, 0);
        items = {values.data(), widths.data(), StreamItemCapacity(length), 0};
        segments = {countItems.data(), 0};
        rc = BuildStreamItems(filtered.c_str(), length, mode, &items, &segments, &sum);
        if (rc == kQROk)
            rc = ChooseVersion(&items, &segments, sum, LevelCodeFromChar(level), versionArg,
                               &version, &cap);
        if (rc == kQROk) sum += WidenCountItems(&items, &segments, version);
        if (rc == kQROk) rc = AppendTerminator(&items, &sum, cap);
    }
    int LastWidth() const { return widths[items.count - 1]; }
};

TEST(BitStream, WorkedExamplesAtLevelM) {
    EXPECT_EQ(Encode("01234567", 'M', 'N').hex, "10 20 0C 56 61 80" + Pads(10));
    EXPECT_EQ(Encode("12345", 'M', 'N').hex, "10 14 7B 5A 00" + Pads(11));
    EXPECT_EQ(Encode("AC-42", 'M', 'A').hex, "20 29 CE E7 21 00" + Pads(10));
    EXPECT_EQ(Encode("ac-42", 'M', 'A').hex, "20 29 CE E7 21 00" + Pads(10));
    EXPECT_EQ(Encode("01234567", 'M', 'N').version, 1);
}

TEST(BitStream, NumericGroupsEndOnTenSevenOrFourBits) {
    Stream s3("123456", 'N', 'M'), s4("1234567", 'N', 'M'), s5("12345678", 'N', 'M');
    // mode, count, groups..., terminator
    EXPECT_EQ(s3.items.count, 5);
    EXPECT_EQ(s3.widths[3], 10);
    EXPECT_EQ(s4.widths[4], 4);
    EXPECT_EQ(s4.values[4], 7);
    EXPECT_EQ(s5.widths[4], 7);
    EXPECT_EQ(s5.values[4], 78);
}

TEST(BitStream, AlphanumericOddLengthEndsOnSixBits) {
    Stream s("AB:", 'A', 'M');
    EXPECT_EQ(s.widths[2], 11);
    EXPECT_EQ(s.values[2], 45 * 10 + 11);
    EXPECT_EQ(s.widths[3], 6);
    EXPECT_EQ(s.values[3], 44);
}

TEST(BitStream, KanjiCompactsToThirteenBits) {
    Stream s("\x93\x5F\xE4\xAA", 'K', 'M');
    EXPECT_EQ(s.values[0], 0x8);
    EXPECT_EQ(s.values[1], 2);  // two characters
    EXPECT_EQ(s.values[2], 0xD9F);
    EXPECT_EQ(s.values[3], 0x1AAA);
    EXPECT_EQ(s.widths[3], 13);
}

TEST(BitStream, TerminatorIsFourBitsOrWhatIsLeft) {
    Stream exact(std::string(34, '1'), 'N', 'M');  // 4 + 10 + 110 + 4 = 128
    EXPECT_EQ(exact.version, 1);
    EXPECT_EQ(exact.sum, 128);
    EXPECT_EQ(exact.LastWidth(), 4);  // the last digit, no terminator
    EXPECT_EQ(exact.items.count, 2 + 12);

    Stream oneBit(std::string(17, '1'), 'N', 'H', 1);  // 71 of 72 bits
    EXPECT_EQ(oneBit.LastWidth(), 1);
    Stream twoBits(std::string(38, 'A'), 'A', 'M', 2);  // 222 of 224
    EXPECT_EQ(twoBits.LastWidth(), 2);
    Stream threeBits(std::string(26, '1'), 'N', 'Q', 1);  // 101 of 104
    EXPECT_EQ(threeBits.LastWidth(), 3);
    Stream four("1", 'N', 'M');
    EXPECT_EQ(four.LastWidth(), 4);
    EXPECT_EQ(four.values[four.items.count - 1], 0);
}

TEST(BitStream, ExactAndNearFillsGetNoPadCodewords) {
    const Encoded exact = Encode(std::string(34, '1'), 'M', 'N');
    EXPECT_EQ(exact.hex.size(), 16u * 3 - 1);
    EXPECT_NE(exact.hex.substr(exact.hex.size() - 2), "EC");
    // Level H version 1: 17 digits need 71 bits (1-bit terminator, 9 codewords).
    const Encoded h17 = Encode(std::string(17, '9'), 'H', 'N', 1);
    EXPECT_EQ(h17.rc, kQROk);
    EXPECT_EQ(h17.hex, "10 47 E7 F9 FE 7F 9F E7 C6");
    // 20 digits need 4 + 10 + 67 = 81 bits: too many for the given version.
    const Encoded h20 = Encode(std::string(20, '9'), 'H', 'N', 1);
    EXPECT_EQ(h20.rc, kQRDoesNotFit);
    EXPECT_EQ(h20.version, 0);
    EXPECT_EQ(Encode(std::string(20, '9'), 'H', 'N').version, 2);
}

TEST(BitStream, ByteCountWidensFromVersionTen) {
    Stream v9(std::string(230, 'x'), 'B', 'L');
    EXPECT_EQ(v9.version, 9);
    EXPECT_EQ(v9.widths[1], 8);
    EXPECT_EQ(v9.sum, 1852 + 4);  // with the 4-bit terminator; capacity 1856
    Stream v10(std::string(231, 'x'), 'B', 'L');
    EXPECT_EQ(v10.version, 10);
    EXPECT_EQ(v10.widths[1], 16);
    EXPECT_EQ(v10.sum, 1868 + 4);
    EXPECT_EQ(v10.cap, 2192);
    // The same text forced to version 9 does not fit (count 231 in 8 bits).
    EXPECT_EQ(Encode(std::string(231, 'x'), 'L', 'B', 9).rc, kQRDoesNotFit);
}

TEST(BitStream, MixedSegmentsWidenByTheirOwnKind) {
    const std::string text = std::string("ab") + "\x88\x9F";
    Stream s(text, 'M', 'M', 10);
    ASSERT_EQ(s.segments.count, 2);
    EXPECT_EQ(s.widths[s.segments.countItems[0]], 16);  // byte count
    EXPECT_EQ(s.widths[s.segments.countItems[1]], 10);  // Kanji count
    Stream s27(text, 'M', 'M', 27);
    EXPECT_EQ(s27.widths[s27.segments.countItems[1]], 12);
}

// Writes bits most significant first, the way clause 7.4 lays out a stream.
struct BitWriter {
    std::vector<uint8_t> bytes;
    int bits = 0;
    void Put(int value, int width) {
        for (int i = width - 1; i >= 0; --i, ++bits) {
            if (bits % 8 == 0) bytes.push_back(0);
            if ((value >> i) & 1) bytes.back() |= static_cast<uint8_t>(0x80 >> (bits % 8));
        }
    }
};

TEST(BitStream, MixedTextWithMoreItemsThanBytesIsPackedWhole) {
    std::string text;
    for (int i = 0; i < 11; ++i) text += std::string(1, static_cast<char>('a' + i)) + "\x88\x9F";
    Stream s(text, 'M', 'M');
    EXPECT_EQ(s.segments.count, 22);
    EXPECT_EQ(s.items.count, 67);

    BitWriter w;
    for (int i = 0; i < 11; ++i) {
        w.Put(0x4, 4), w.Put(1, 8), w.Put('a' + i, 8);
        w.Put(0x8, 4), w.Put(1, 8), w.Put(0x59F, 13);
    }
    w.Put(0, 4);
    auto data = std::make_unique<DataCodewords>();
    ASSERT_EQ(BuildDataCodewords(text.c_str(), 'M', 'M', 0, data.get()), kQROk);
    ASSERT_GE(data->dataCount, static_cast<int32_t>(w.bytes.size()));
    for (size_t i = 0; i < w.bytes.size(); ++i) EXPECT_EQ(data->bytes[i], w.bytes[i]) << i;
}

TEST(BitStream, TooManySegmentsFailCleanly) {
    std::string text;
    for (int i = 0; i < 1100; ++i) text += "a\x88\x9F";  // 2200 segments
    EXPECT_EQ(Encode(text, 'L', 'M').rc, kQRDoesNotFit);
    Stream s(text, 'M', 'L');
    EXPECT_EQ(s.rc, kQRDoesNotFit);
    EXPECT_EQ(s.segments.count, kMaxSegments);
}

TEST(BitStream, RefusesWhatNoVersionHolds) {
    EXPECT_EQ(Encode(std::string(7089, '1'), 'L', 'N').version, 40);
    EXPECT_EQ(Encode(std::string(7090, '1'), 'L', 'N').rc, kQRDoesNotFit);
    // Far longer than any symbol, though most of it is filtered away later.
    EXPECT_EQ(Encode(std::string(100000, '7'), 'L', 'N').rc, kQRDoesNotFit);
    EXPECT_EQ(Encode(std::string(100000, 'x'), 'L', 'N').rc, kQROk);  // nothing kept
    EXPECT_EQ(Encode("12345678901234567890", 'M', 'N', 1).rc, kQROk);
    EXPECT_EQ(Encode(std::string(40, 'x'), 'M', 'B', 1).rc, kQRDoesNotFit);
}

TEST(BitStream, RejectsVersionsOutsideTheStandard) {
    EXPECT_EQ(Encode("1", 'M', 'N', 41).rc, kQRBadArgument);
    EXPECT_EQ(Encode("1", 'M', 'N', -1).rc, kQRBadArgument);
}

TEST(BitStream, PackingOverwritesStaleBytes) {
    auto data = std::make_unique<DataCodewords>();
    std::memset(data->bytes, 0xFF, sizeof data->bytes);
    ASSERT_EQ(BuildDataCodewords("12345", 'M', 'N', 0, data.get()), kQROk);
    EXPECT_EQ(data->bytes[3], 0x5A);
    EXPECT_EQ(data->bytes[4], 0x00);
}

}  // namespace
