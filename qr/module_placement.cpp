#include "qr/module_placement.h"

#include <cassert>
#include <cstring>

#include "qr/format_information.h"

void PlaceCodewords(const uint8_t* finalCodewords, int32_t totalCodewords, int32_t remainderBits,
                    const SymbolRecords* records, int32_t side, WorkingMatrix* working) {
    assert(side >= 21 && side <= kMaxSide);
    working->side = static_cast<int16_t>(side);
    for (int32_t x = 0; x < side; ++x) std::memset(working->masked + x * kMaxSide, 0, side);

    const uint8_t* columns = records->columns;
    const uint8_t* rows = records->rows;
    const uint8_t* maskBits = records->maskBits;
    int32_t k = 0;
    for (int32_t p = 0; p < totalCodewords; ++p) {
        const uint8_t codeword = finalCodewords[p];
        for (int i = 0; i < 8; ++i, ++k) {
            assert(columns[k] < side && rows[k] < side);
            const bool dark = (codeword >> (7 - i)) & 1;
            working->masked[columns[k] * kMaxSide + rows[k]] =
                dark ? static_cast<uint8_t>(~maskBits[k]) : maskBits[k];
        }
    }
    // Remainder bits are 0: the module shows each mask's condition.
    for (int32_t end = k + remainderBits; k < end; ++k)
        working->masked[columns[k] * kMaxSide + rows[k]] = maskBits[k];
}

void WriteFormatInformation(int levelCode, int mask, const SymbolRecords* records,
                            WorkingMatrix* working) {
    const char* bits = FormatString(levelCode, mask);
    for (int x = 0; x < kFormatBits; ++x) {
        const uint8_t value = bits[x] == '1' ? 0xFF : 0x00;
        working->masked[kFormatFirstCopyColumns[x] * kMaxSide + kFormatFirstCopyRows[x]] = value;
        working->masked[records->formatColumns[x] * kMaxSide + records->formatRows[x]] = value;
    }
}

void ComposeSymbol(const WorkingMatrix* working, int mask, const uint8_t* pattern,
                   ModuleMatrix* result) {
    assert(mask >= 0 && mask < 8);
    const int32_t side = working->side;
    result->side = static_cast<int16_t>(side);
    // Column by column, as the result and the working matrix lie; the
    // template has its rows side + 1 bytes apart (a separator after each).
    const int32_t stride = side + 1;
    for (int32_t j = 0; j < side; ++j) {
        const uint8_t* in = working->masked + j * kMaxSide;
        uint8_t* out = result->modules + j * kMaxSide;
        const uint8_t* t = pattern + j;
        for (int32_t r = 0; r < side; ++r)
            out[r] = static_cast<uint8_t>(((in[r] >> mask) & 1) | (t[r * stride] == '1'));
    }
}
