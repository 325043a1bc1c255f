// Reed-Solomon error correction by long division with generator rows.
#include "qr/error_correction.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// GF(256) with 0x11D, for building generator rows and checking syndromes
// independently of the table file.
uint8_t Mul(uint8_t a, uint8_t b) {
    uint8_t p = 0;
    while (b) {
        if (b & 1) p ^= a;
        a = static_cast<uint8_t>((a << 1) ^ ((a & 0x80) ? 0x1D : 0));
        b >>= 1;
    }
    return p;
}

// Rows f = f x (g(E-1) .. g(0)) of the generator prod (x - 2^i), i < E.
std::vector<uint8_t> GeneratorRows(int e) {
    std::vector<uint8_t> g{1};  // highest coefficient first
    uint8_t root = 1;
    for (int i = 0; i < e; ++i) {
        std::vector<uint8_t> next(g.size() + 1, 0);
        for (size_t j = 0; j < g.size(); ++j) {
            next[j] ^= g[j];
            next[j + 1] ^= Mul(g[j], root);
        }
        g = next;
        root = Mul(root, 2);
    }
    std::vector<uint8_t> rows(256 * e);
    for (int f = 0; f < 256; ++f)
        for (int j = 0; j < e; ++j) rows[f * e + j] = Mul(static_cast<uint8_t>(f), g[j + 1]);
    return rows;
}

// A codeword is valid when the whole block vanishes at 2^0 .. 2^(E-1).
bool HasZeroSyndromes(const std::vector<uint8_t>& data, const std::vector<uint8_t>& ecc) {
    std::vector<uint8_t> block = data;
    block.insert(block.end(), ecc.begin(), ecc.end());
    uint8_t root = 1;
    for (size_t i = 0; i < ecc.size(); ++i) {
        uint8_t s = 0;
        for (uint8_t c : block) s = static_cast<uint8_t>(Mul(s, root) ^ c);
        if (s != 0) return false;
        root = Mul(root, 2);
    }
    return true;
}

std::vector<uint8_t> Divide(const std::vector<uint8_t>& data, int e) {
    const std::vector<uint8_t> rows = GeneratorRows(e);
    std::vector<uint8_t> ecc(e, 0xAA);
    DivideBlock(data.data(), static_cast<int32_t>(data.size()), rows.data(), e, ecc.data());
    return ecc;
}

TEST(PolynomialSum, AlignsAtTheHighestCoefficient) {
    const uint8_t a[3] = {1, 2, 3}, b[5] = {0xF0, 0x0F, 0xFF, 9, 8};
    uint8_t out[5] = {};
    EXPECT_EQ(PolynomialSum(a, 3, b, 5, out), 5);
    EXPECT_EQ(std::vector<uint8_t>(out, out + 5), (std::vector<uint8_t>{0xF1, 0x0D, 0xFC, 9, 8}));
    EXPECT_EQ(PolynomialSum(b, 5, a, 3, out), 5);
    EXPECT_EQ(out[4], 8);
    uint8_t inPlace[3] = {1, 2, 3};
    PolynomialSum(inPlace, 3, a, 3, inPlace);
    EXPECT_EQ(std::vector<uint8_t>(inPlace, inPlace + 3), (std::vector<uint8_t>(3, 0)));
}

TEST(DivideBlock, ReproducesTheWorkedExample) {
    const std::vector<uint8_t> data{0x10, 0x20, 0x0C, 0x56, 0x61, 0x80, 0xEC, 0x11,
                                    0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11};
    EXPECT_EQ(Divide(data, 10), (std::vector<uint8_t>{0xA5, 0x24, 0xD4, 0xC1, 0xED, 0x36, 0xC7,
                                                      0x87, 0x2C, 0x55}));
    const std::vector<uint8_t> rows = GeneratorRows(10);
    EXPECT_EQ(std::vector<uint8_t>(rows.begin() + 10, rows.begin() + 20),
              (std::vector<uint8_t>{0xD8, 0xC2, 0x9F, 0x6F, 0xC7, 0x5E, 0x5F, 0x71, 0x9D, 0xC1}));
}

TEST(DivideBlock, LeadingZerosAndShortBlocksGiveValidCodewords) {
    const std::vector<std::vector<uint8_t>> blocks = {
        {0, 0, 0, 0x41, 0x99, 0x12},                         // leading zero codewords
        {0, 0, 0, 0, 0, 0, 0, 0, 0},                         // all zero: all-zero ecc
        {0x40, 0x11, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11, 0xEC},  // 9 data, E = 17
        {0x00, 0x01},
    };
    for (const auto& data : blocks) {
        for (int e : {7, 17, 30}) {
            const std::vector<uint8_t> ecc = Divide(data, e);
            EXPECT_TRUE(HasZeroSyndromes(data, ecc)) << "E " << e << " size " << data.size();
        }
    }
    EXPECT_EQ(Divide(std::vector<uint8_t>(9, 0), 17), std::vector<uint8_t>(17, 0));
}

}  // namespace
