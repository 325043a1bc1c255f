#include "qr/error_correction.h"

#include <cassert>
#include <cstdlib>
#include <cstring>

#include "qr/base/engine_types.h"

int32_t PolynomialSum(const uint8_t* a, int32_t aLength, const uint8_t* b, int32_t bLength,
                      uint8_t* destination) {
    const int32_t both = aLength < bLength ? aLength : bLength;
    for (int32_t i = 0; i < both; ++i) destination[i] = static_cast<uint8_t>(a[i] ^ b[i]);
    // Past the shorter one, the longer one's bytes as they are.
    const uint8_t* longer = aLength > bLength ? a : b;
    const int32_t n = aLength > bLength ? aLength : bLength;
    if (longer != destination) std::memmove(destination + both, longer + both, n - both);
    return n;
}

void DivideBlock(const uint8_t* data, int32_t dataLength, const uint8_t* rows, int32_t e,
                 uint8_t* ecc) {
    assert(dataLength >= 1 && e >= 1 && dataLength + e <= kMaxBlockLength);
    // The long division keeps only the E bytes of the register that the
    // rows still change: the data codeword that enters at each step is added
    // to the register's first byte as it leaves, which is the same as
    // starting with all data codewords in the register and zeros behind them.
    uint8_t reg[kMaxBlockLength] = {};
    for (int32_t step = 0; step < dataLength; ++step) {
        const uint8_t f = static_cast<uint8_t>(data[step] ^ reg[0]);
        std::memmove(reg, reg + 1, static_cast<size_t>(e - 1));
        reg[e - 1] = 0;
        if (f != 0) PolynomialSum(reg, e, rows + f * e, e, reg);
    }
    std::memcpy(ecc, reg, static_cast<size_t>(e));
}

void ComputeErrorCorrection(const uint8_t* data, int32_t dataCount, int32_t e,
                            const uint8_t* blockList, int32_t blockCount, const uint8_t* rows,
                            uint8_t* finalCodewords) {
    std::memcpy(finalCodewords, data, static_cast<size_t>(dataCount));
    int32_t first = 0;  // the block's first data codeword
    for (int32_t b = 0; b < blockCount; ++b) {
        const int32_t k = blockList[b] - e;
        assert(k >= 1 && first + k <= dataCount);
        DivideBlock(data + first, k, rows, e, finalCodewords + dataCount + b * e);
        first += k;
    }
    assert(first == dataCount);
}
