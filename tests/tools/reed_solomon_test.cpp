// Field arithmetic, generator polynomials and records, and error-correction
// codewords against the standard's published values and the defining
// properties of the code.
#include "tools/qrtables/reed_solomon.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "tools/qrtables/block_table.h"
#include "tools/qrtables/gf256.h"

using namespace qrtables;

namespace {

// Carry-less multiplication reduced by 0x11D, bit by bit: a second way to the
// field product.
uint8_t SlowMultiply(uint8_t a, uint8_t b) {
    int product = 0;
    int x = a;
    for (int bit = 0; bit < 8; ++bit) {
        if (b & (1 << bit)) product ^= x;
        x <<= 1;
        if (x & 0x100) x ^= 0x11D;
    }
    return static_cast<uint8_t>(product);
}

// The value at `point` of the polynomial whose coefficients, highest first,
// are `coefficients`.
uint8_t Evaluate(const std::vector<uint8_t>& coefficients, uint8_t point) {
    uint8_t value = 0;
    for (uint8_t c : coefficients) value = SlowMultiply(value, point) ^ c;
    return value;
}

// The division the engine does with a generator record: a register of the
// block's data codewords followed by zeros, shifted once per data codeword,
// with row f of the record added whenever the byte shifted out is f != 0.
std::vector<uint8_t> DivideWithRecord(const std::vector<uint8_t>& record, int ec,
                                      const std::vector<uint8_t>& data) {
    std::vector<uint8_t> reg(data);
    reg.resize(std::max<size_t>(data.size(), ec) + 1, 0);
    for (size_t step = 0; step < data.size(); ++step) {
        const uint8_t f = reg[0];
        reg.erase(reg.begin());
        reg.push_back(0);
        if (f != 0)
            for (int i = 0; i < ec; ++i) reg[i] ^= record[f * ec + i];
    }
    return std::vector<uint8_t>(reg.begin(), reg.begin() + ec);
}

const std::vector<uint8_t> kWorkedData = {0x10, 0x20, 0x0C, 0x56, 0x61, 0x80, 0xEC, 0x11,
                                          0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11};
const std::vector<uint8_t> kWorkedEc = {0xA5, 0x24, 0xD4, 0xC1, 0xED, 0x36, 0xC7, 0x87, 0x2C, 0x55};

}  // namespace

TEST(Gf256, MatchesCarrylessMultiplicationAndPowersCycle) {
    for (int a = 0; a < 256; ++a)
        for (int b = 0; b < 256; ++b)
            ASSERT_EQ(GfMultiply(a, b), SlowMultiply(a, b)) << a << " * " << b;
    EXPECT_EQ(GfExp(0), 1);
    EXPECT_EQ(GfExp(255), 1);
    EXPECT_EQ(GfExp(8), 0x1D);
    EXPECT_EQ(GfExp(-1), GfExp(254));
    for (int v = 1; v < 256; ++v) EXPECT_EQ(GfExp(GfLog(v)), v);
}

TEST(GeneratorPolynomial, Degree7IsTheStandardsExample) {
    // x^7 + a^87 x^6 + a^229 x^5 + a^146 x^4 + a^149 x^3 + a^238 x^2 + a^102 x + a^21
    const std::vector<int> exponents = {87, 229, 146, 149, 238, 102, 21};
    const std::vector<uint8_t> g = GeneratorPolynomial(7);
    ASSERT_EQ(g.size(), 7u);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(GfLog(g[i]), exponents[i]) << "coefficient " << i;
}

TEST(GeneratorPolynomial, VanishesAtItsRootsForEveryTableDegree) {
    for (int ec : DistinctEcPerBlock()) {
        std::vector<uint8_t> full = {1};
        const std::vector<uint8_t> g = GeneratorPolynomial(ec);
        full.insert(full.end(), g.begin(), g.end());
        for (int i = 0; i < ec; ++i) EXPECT_EQ(Evaluate(full, GfExp(i)), 0) << ec << " " << i;
        EXPECT_NE(Evaluate(full, GfExp(ec)), 0) << ec;
    }
}

TEST(GeneratorRecord, RowsAreMultiplesOfTheGenerator) {
    const std::vector<uint8_t> record10 = GeneratorRecord(10);
    ASSERT_EQ(record10.size(), 2560u);
    const std::vector<uint8_t> row1(record10.begin() + 10, record10.begin() + 20);
    EXPECT_EQ(row1,
              (std::vector<uint8_t>{0xD8, 0xC2, 0x9F, 0x6F, 0xC7, 0x5E, 0x5F, 0x71, 0x9D, 0xC1}));
    EXPECT_EQ(std::vector<uint8_t>(record10.begin(), record10.begin() + 10),
              std::vector<uint8_t>(10, 0));

    for (int ec : DistinctEcPerBlock()) {
        const std::vector<uint8_t> record = GeneratorRecord(ec);
        ASSERT_EQ(record.size(), 256u * ec);
        const std::vector<uint8_t> g = GeneratorPolynomial(ec);
        for (int f = 0; f < 256; ++f)
            for (int i = 0; i < ec; ++i)
                ASSERT_EQ(record[f * ec + i], SlowMultiply(f, g[i])) << ec << " row " << f;
    }
}

TEST(ErrorCorrection, WorkedExampleVersion1M) {
    EXPECT_EQ(ErrorCorrectionCodewords(kWorkedData, 10), kWorkedEc);
    EXPECT_EQ(DivideWithRecord(GeneratorRecord(10), 10, kWorkedData), kWorkedEc);
}

// Every codeword of a Reed-Solomon block is a multiple of the generator, so
// the whole block, data then error correction, vanishes at every root; and
// the engine's division with the record gives the same codewords. Blocks
// with fewer data codewords than E and blocks that start with zeros included.
TEST(ErrorCorrection, BlocksAreCodewordsAndRecordDivisionAgrees) {
    std::mt19937 random(18004);
    const std::vector<std::pair<int, int>> shapes = {{9, 17},  {16, 10}, {15, 18}, {16, 18},
                                                     {2, 7},   {1, 30},  {24, 30}, {118, 30},
                                                     {43, 26}, {13, 22}};
    for (auto [dataLength, ec] : shapes) {
        const std::vector<uint8_t> record = GeneratorRecord(ec);
        for (int trial = 0; trial < 4; ++trial) {
            std::vector<uint8_t> data(dataLength);
            for (uint8_t& d : data) d = static_cast<uint8_t>(random());
            if (trial == 1) data[0] = 0;
            if (trial == 2) std::fill(data.begin(), data.begin() + dataLength / 2 + 1, 0);
            const std::vector<uint8_t> ecc = ErrorCorrectionCodewords(data, ec);
            ASSERT_EQ(ecc.size(), static_cast<size_t>(ec));
            std::vector<uint8_t> block(data);
            block.insert(block.end(), ecc.begin(), ecc.end());
            for (int i = 0; i < ec; ++i)
                ASSERT_EQ(Evaluate(block, GfExp(i)), 0) << dataLength << "+" << ec << " root " << i;
            EXPECT_EQ(DivideWithRecord(record, ec, data), ecc) << dataLength << "+" << ec;
        }
    }
    EXPECT_EQ(ErrorCorrectionCodewords(std::vector<uint8_t>(9, 0), 17),
              std::vector<uint8_t>(17, 0));
}
