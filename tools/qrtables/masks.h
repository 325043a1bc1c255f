// The data mask patterns of QR Code symbols.
#pragma once

#include <cstdint>

namespace qrtables {

inline constexpr int kMaskCount = 8;

// Whether the condition of mask pattern reference `pattern` (0 to 7) holds at
// row i, column j, i.e. whether the mask inverts that module (ISO/IEC 18004
// clause 7.8.2, table 10).
bool MaskCondition(int pattern, int i, int j);

// The mask byte of the module at `row`, `column`: bit m set when the
// condition of mask pattern m holds there.
uint8_t MaskByte(int row, int column);

}  // namespace qrtables
