// The table file's LZSS decoder.
#include "qr/store/lzss_decode.h"

#include <gtest/gtest.h>

#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

std::vector<uint8_t> Decode(const std::vector<uint8_t>& in) {
    uint8_t* out = reinterpret_cast<uint8_t*>(1);
    int32_t length = -1;
    EXPECT_EQ(LzssDecode(&out, &length, in.data(), static_cast<int32_t>(in.size())), 0);
    std::vector<uint8_t> v(out, out + length);
    std::free(out);
    return v;
}

TEST(LzssDecode, LiteralsFollowTheFlagBitsLowFirst) {
    EXPECT_EQ(Decode({0xFF, 1, 2, 3, 4, 5, 6, 7, 8}), (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 8}));
    // 0x05 = literal, match, literal.
    EXPECT_EQ(Decode({0x05, 'a', 0x00, 0x00, 'b'}), (std::vector<uint8_t>{'a', 0, 0, 0, 'b'}));
}

TEST(LzssDecode, MatchesReadTheZeroFilledRingAndTheirOwnOutput) {
    // At the start, position 0 length 3 gives three zero bytes (not blanks).
    EXPECT_EQ(Decode({0x00, 0x00, 0x00}), (std::vector<uint8_t>(3, 0)));
    // b2 = 0x0F: 18 bytes.
    EXPECT_EQ(Decode({0x00, 0x00, 0x0F}).size(), 18u);
    // b1 = 0, b2 = 0x10: ring position 256, still zero fill.
    EXPECT_EQ(Decode({0x00, 0x00, 0x10}), (std::vector<uint8_t>(3, 0)));
    // 'x' at 4078, then a match from 4078 of length 10 overlapping itself.
    EXPECT_EQ(Decode({0x01, 'x', 0xEE, 0xF7}), std::vector<uint8_t>(11, 'x'));
}

TEST(LzssDecode, StopsWhereTheInputEnds) {
    EXPECT_TRUE(Decode({}).empty());
    EXPECT_EQ(Decode({0x03, 'a'}), (std::vector<uint8_t>{'a'}));      // before a literal
    EXPECT_EQ(Decode({0x00, 0x05}), (std::vector<uint8_t>{}));        // inside a match
    EXPECT_EQ(Decode({0xFF, 1, 2, 3, 4, 5, 6, 7, 8}).size(), 8u);     // before a flag byte
}

TEST(LzssDecode, EveryDecodeStartsFromAFreshRing) {
    // Literals land at 4078 onwards; a later (damaged) stream that reads
    // there before writing must not see them.
    Decode({0xFF, 9, 9, 9, 9, 9, 9, 9, 9});
    EXPECT_EQ(Decode({0x00, 0xEE, 0xF0}), (std::vector<uint8_t>{0, 0, 0}));
}

// Packs elements into a stream: a literal is one byte, a match two.
struct StreamBuilder {
    std::vector<uint8_t> bytes;
    size_t flagAt = 0;
    int used = 8;
    void Element(bool literal) {
        if (used == 8) flagAt = bytes.size(), bytes.push_back(0), used = 0;
        if (literal) bytes[flagAt] = static_cast<uint8_t>(bytes[flagAt] | (1 << used));
        ++used;
    }
    void Literal(uint8_t c) { Element(true), bytes.push_back(c); }
    void Match(int pos, int length) {
        Element(false);
        bytes.push_back(static_cast<uint8_t>(pos & 0xFF));
        bytes.push_back(static_cast<uint8_t>(((pos >> 4) & 0xF0) | (length - 3)));
    }
};

int32_t DecodedCapacity(const StreamBuilder& s, int32_t* length) {
    uint8_t* out = nullptr;
    EXPECT_EQ(LzssDecode(&out, length, s.bytes.data(), static_cast<int32_t>(s.bytes.size())), 0);
#if defined(_WIN32)
    const auto capacity = static_cast<int32_t>(_msize(out));
#else
    const auto capacity = static_cast<int32_t>(malloc_usable_size(out));
#endif
    std::free(out);
    return capacity;
}

TEST(LzssDecode, OutputGrowsInWholeStepsAboveItsLength) {
    StreamBuilder exact;  // 455 x 18 + 2 = 8192 bytes
    for (int i = 0; i < 455; ++i) exact.Match(0, 18);
    exact.Literal(1), exact.Literal(2);
    int32_t length = 0;
    EXPECT_GE(DecodedCapacity(exact, &length), 16384);
    EXPECT_EQ(length, 8192);

    StreamBuilder small;
    small.Match(100, 5);
    EXPECT_GE(DecodedCapacity(small, &length), 8192);
    EXPECT_EQ(length, 5);
}

// The decoder as the format reads: a ring of 4096 bytes, zero-filled, written
// from 4078 on, matches copied out of it byte by byte.
std::vector<uint8_t> RingDecode(const std::vector<uint8_t>& in) {
    std::vector<uint8_t> out, ring(4096, 0);
    size_t i = 0, r = 4078;
    auto put = [&](uint8_t c) { out.push_back(c), ring[r] = c, r = (r + 1) % 4096; };
    while (i < in.size()) {
        const uint8_t flags = in[i++];
        for (int bit = 0; bit < 8; ++bit) {
            if (flags >> bit & 1) {
                if (i >= in.size()) return out;
                put(in[i++]);
            } else {
                if (i + 1 >= in.size()) return out;
                size_t pos = in[i] | (in[i + 1] & 0xF0) << 4;
                const int count = (in[i + 1] & 0x0F) + 3;
                i += 2;
                for (int k = 0; k < count; ++k, pos = (pos + 1) % 4096) put(ring[pos]);
            }
        }
    }
    return out;
}

// Random streams, whose matches reach anywhere in the ring (into the fill,
// its last 18 positions, across the wrap, over their own output), decode as
// the ring does; a decode into a smaller buffer gives the first bytes of it.
TEST(LzssDecode, ReadsMatchesOutOfItsOutputAsTheRingHoldsThem) {
    unsigned seed = 99;
    auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
    for (int round = 0; round < 60; ++round) {
        std::vector<uint8_t> in(1 + next() % 3000);
        for (uint8_t& b : in) b = static_cast<uint8_t>(next());
        // Matches near the write position are the interesting ones: pull
        // some references close behind it.
        for (size_t k = 2; k < in.size(); k += 7) in[k] = static_cast<uint8_t>(0xE0 + next() % 32);
        const std::vector<uint8_t> expected = RingDecode(in);
        EXPECT_EQ(Decode(in), expected) << "round " << round;
        const int32_t capacity = static_cast<int32_t>(next() % (expected.size() + 20));
        std::vector<uint8_t> prefix(static_cast<size_t>(capacity) + 1, 0xCC);
        const int32_t got = LzssDecodeInto(in.data(), static_cast<int32_t>(in.size()), prefix.data(),
                                           capacity);
        ASSERT_EQ(got, std::min<int32_t>(capacity, static_cast<int32_t>(expected.size())));
        EXPECT_TRUE(std::equal(prefix.begin(), prefix.begin() + got, expected.begin()));
        EXPECT_EQ(prefix[static_cast<size_t>(capacity)], 0xCC);  // nothing past the buffer
    }
}

// Each decode has its own ring: decodes running at once on two threads, each
// reading back through matches what it wrote, never see each other's bytes.
TEST(LzssDecode, DecodesShareNoRing) {
    auto stream = [](uint8_t fill) {
        // A literal at 4078, then matches of 18 bytes from 4078: every byte
        // decoded comes back out of the ring.
        std::vector<uint8_t> in = {0x01, fill};
        for (int i = 0; i < 7; ++i) in.insert(in.end(), {0xEE, 0xFF});
        for (int group = 0; group < 400; ++group) {
            in.push_back(0x00);
            for (int i = 0; i < 8; ++i) in.insert(in.end(), {0xEE, 0xFF});
        }
        return in;
    };
    auto run = [&](uint8_t fill, bool* clean) {
        const std::vector<uint8_t> in = stream(fill);
        for (int round = 0; round < 200 && *clean; ++round) {
            uint8_t* out = nullptr;
            int32_t length = 0;
            LzssDecode(&out, &length, in.data(), static_cast<int32_t>(in.size()));
            for (int32_t k = 0; k < length; ++k) *clean = *clean && out[k] == fill;
            std::free(out);
        }
    };
    bool cleanA = true, cleanB = true;
    std::thread a(run, 'a', &cleanA), b(run, 'b', &cleanB);
    a.join();
    b.join();
    EXPECT_TRUE(cleanA);
    EXPECT_TRUE(cleanB);
}

}  // namespace
