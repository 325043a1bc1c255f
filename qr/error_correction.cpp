#include "qr/error_correction.h"

#include <cassert>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "qr/symbol_encoder.h"
#include "qr/symbol_records.h"
#include "qr/table_file.h"

int32_t PolynomialSum(const uint8_t* a, int32_t aLength, const uint8_t* b, int32_t bLength,
                      uint8_t* destination) {
    const int32_t n = aLength > bLength ? aLength : bLength;
    for (int32_t i = 0; i < n; ++i) {
        if (i < aLength && i < bLength)
            destination[i] = static_cast<uint8_t>(a[i] ^ b[i]);
        else
            destination[i] = i < aLength ? a[i] : b[i];
    }
    return n;
}

void DivideBlock(const uint8_t* data, int32_t dataLength, const uint8_t* rows, int32_t e,
                 uint8_t* ecc) {
    assert(dataLength >= 1 && e >= 1 && dataLength + e <= kMaxBlockLength);
    // The register: the data codewords, highest coefficient first, then zeros.
    uint8_t reg[kMaxBlockLength] = {};
    std::memcpy(reg, data, static_cast<size_t>(dataLength));
    const int32_t used = dataLength + e;
    for (int32_t step = 0; step < dataLength; ++step) {
        const uint8_t f = reg[0];
        std::memmove(reg, reg + 1, static_cast<size_t>(used - 1));
        reg[used - 1] = 0;
        if (f != 0) PolynomialSum(reg, e, rows + f * e, e, reg);
    }
    std::memcpy(ecc, reg, static_cast<size_t>(e));
}

int32_t ComputeErrorCorrection(const uint8_t* data, int32_t dataCount, int32_t e,
                               const uint8_t* blockList, int32_t blockCount,
                               uint8_t* finalCodewords) {
    char name[16];
    std::snprintf(name, sizeof name, "QRC_S%2.2d", e);
    uint8_t* rows = nullptr;
    int32_t length = 0;
    const int32_t rc = ReadTableSection(name, &rows, &length);
    if (rc == kQROutOfMemory) return rc;
    // The engine never divides with absent rows: a short record is damage.
    if (rc != kQROk || rows == nullptr || length < 256 * e) {
        std::free(rows);
        return kQRTableFileDamaged;
    }

    std::memcpy(finalCodewords, data, static_cast<size_t>(dataCount));
    int32_t first = 0;  // the block's first data codeword
    for (int32_t b = 0; b < blockCount; ++b) {
        const int32_t k = blockList[b] - e;
        assert(k >= 1 && first + k <= dataCount);
        DivideBlock(data + first, k, rows, e, finalCodewords + dataCount + b * e);
        first += k;
    }
    assert(first == dataCount);
    std::free(rows);
    return kQROk;
}
