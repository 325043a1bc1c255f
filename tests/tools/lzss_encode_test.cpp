// The compressor against the engine's decoder and a strict decoder that
// refuses reads of ring positions not yet written.
#include "tools/qrtables/lzss_encode.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "tests/tools/table_test_support.h"
#include "tools/qrtables/table_writer.h"

namespace {

std::vector<uint8_t> RoundTrip(const std::vector<uint8_t>& data) {
    const std::vector<uint8_t> packed = qrtables::LzssEncode(data);
    std::vector<uint8_t> strict;
    std::string why;
    EXPECT_TRUE(tabletest::StrictLzssDecode(packed, &strict, &why)) << why;
    EXPECT_EQ(strict, data);
    EXPECT_EQ(tabletest::EngineDecode(packed), data);
    return packed;
}

std::vector<uint8_t> RandomBytes(size_t n, uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<uint8_t> bytes(n);
    for (uint8_t& b : bytes) b = static_cast<uint8_t>(random());
    return bytes;
}

}  // namespace

TEST(LzssEncode, StrictDecoderRefusesUnwrittenRingPositions) {
    std::vector<uint8_t> out;
    std::string why;
    // A match of 3 at ring position 4080 as the first element.
    EXPECT_FALSE(tabletest::StrictLzssDecode(std::vector<uint8_t>{0x00, 0xF0, 0xF0}, &out, &why));
    // After a literal at 4078, a match at 4079 reads what is not written yet;
    // one at 4078 reads the literal and then its own first byte.
    EXPECT_FALSE(
        tabletest::StrictLzssDecode(std::vector<uint8_t>{0x01, 'A', 0xEF, 0xF0}, &out, &why));
    ASSERT_TRUE(
        tabletest::StrictLzssDecode(std::vector<uint8_t>{0x01, 'A', 0xEE, 0xF0}, &out, &why));
    EXPECT_EQ(out, (std::vector<uint8_t>{'A', 'A', 'A', 'A'}));
}

TEST(LzssEncode, ShortAndEmptyInputs) {
    EXPECT_TRUE(RoundTrip({}).empty());
    EXPECT_EQ(RoundTrip({0x42}), (std::vector<uint8_t>{0x01, 0x42}));
    RoundTrip({1, 2});
    RoundTrip({1, 2, 3});
    RoundTrip({0, 0});
    RoundTrip({0, 0, 0});
}

TEST(LzssEncode, ZeroRunsCopyFromTheZeroFill) {
    // Eighteen zero bytes are one match into the cleared ring.
    const std::vector<uint8_t> packed = RoundTrip(std::vector<uint8_t>(18, 0));
    ASSERT_EQ(packed.size(), 3u);
    EXPECT_EQ(packed[0], 0x00);
    EXPECT_LT(packed[1] | ((packed[2] & 0xF0) << 4), 4078);
    EXPECT_EQ(packed[2] & 0x0F, 15);

    // A literal first, then zeros: the positions after it are not written
    // yet, the zero fill before it still is.
    std::vector<uint8_t> data(200, 0);
    data[0] = 'A';
    data[100] = 'B';
    EXPECT_LE(RoundTrip(data).size(), 30u);
}

TEST(LzssEncode, RunsLongerThanTheLongestMatch) {
    // One literal, then matches that overlap what they produce.
    const std::vector<uint8_t> packed = RoundTrip(std::vector<uint8_t>(100, 'A'));
    EXPECT_LE(packed.size(), 1u + 1 + 6 * 2);
    std::vector<uint8_t> pattern;
    for (int i = 0; i < 30000; ++i) pattern.push_back("abc"[i % 3]);
    EXPECT_LT(RoundTrip(pattern).size(), pattern.size() / 8);
}

TEST(LzssEncode, RandomDataGrowsByNoMoreThanItsFlags) {
    const std::vector<uint8_t> data = RandomBytes(50000, 1);
    EXPECT_LE(RoundTrip(data).size(), data.size() + (data.size() + 7) / 8);
}

TEST(LzssEncode, RepeatsAtTheEdgeOfTheWindow) {
    // A random block repeated at distances just inside and just outside the
    // ring: the copy 4095 back compresses, the ones 4096 and 4097 back must
    // not be mistaken for it.
    for (size_t period : {4000u, 4095u, 4096u, 4097u, 5000u}) {
        const std::vector<uint8_t> block = RandomBytes(period, static_cast<uint32_t>(period));
        std::vector<uint8_t> data;
        for (int copy = 0; copy < 3; ++copy) data.insert(data.end(), block.begin(), block.end());
        const std::vector<uint8_t> packed = RoundTrip(data);
        if (period <= 4095) {
            EXPECT_LT(packed.size(), 2 * period) << period;
        }
    }
}

TEST(LzssEncode, TableSectionsRoundTrip) {
    // A large record wraps the ring many times; a template is mostly runs.
    const std::vector<uint8_t> record = qrtables::VersionLevelRecord(40, 3);
    EXPECT_LT(RoundTrip(record).size(), record.size() / 4);
    RoundTrip(qrtables::VersionLevelRecord(7, 0));
    RoundTrip(qrtables::VersionLevelRecord(1, 1));

    // Mixed data: zeros, runs, random stretches and copies of earlier parts.
    std::vector<uint8_t> mixed(5000, 0);
    const std::vector<uint8_t> noise = RandomBytes(3000, 7);
    mixed.insert(mixed.end(), noise.begin(), noise.end());
    mixed.insert(mixed.end(), 700, 0xEC);
    mixed.insert(mixed.end(), noise.begin() + 1000, noise.end());
    mixed.insert(mixed.end(), mixed.begin() + 4000, mixed.begin() + 9000);
    RoundTrip(mixed);
}
