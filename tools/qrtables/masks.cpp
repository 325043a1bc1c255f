#include "tools/qrtables/masks.h"

#include <cassert>

namespace qrtables {

bool MaskCondition(int pattern, int i, int j) {
    assert(i >= 0 && j >= 0);
    switch (pattern) {
        case 0:
            return (i + j) % 2 == 0;
        case 1:
            return i % 2 == 0;
        case 2:
            return j % 3 == 0;
        case 3:
            return (i + j) % 3 == 0;
        case 4:
            return (i / 2 + j / 3) % 2 == 0;
        case 5:
            return (i * j) % 2 + (i * j) % 3 == 0;
        case 6:
            return ((i * j) % 2 + (i * j) % 3) % 2 == 0;
        case 7:
            return ((i + j) % 2 + (i * j) % 3) % 2 == 0;
        default:
            assert(false && "mask pattern out of range");
            return false;
    }
}

uint8_t MaskByte(int row, int column) {
    uint8_t byte = 0;
    for (int m = 0; m < kMaskCount; ++m)
        if (MaskCondition(m, row, column)) byte |= static_cast<uint8_t>(1u << m);
    return byte;
}

}  // namespace qrtables
