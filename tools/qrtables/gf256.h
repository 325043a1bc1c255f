// Arithmetic in GF(256), the field of the Reed-Solomon code of QR Code symbols.
#pragma once

#include <cstdint>

namespace qrtables {

// The field's primitive polynomial x^8 + x^4 + x^3 + x^2 + 1 (ISO/IEC 18004
// clause 7.5.2).
inline constexpr int kPrimitivePolynomial = 0x11D;

// alpha^power with alpha = 2; any power, taken modulo 255 (clause 7.5.2).
uint8_t GfExp(int power);

// The exponent e (0 to 254) with alpha^e = value; value must not be 0.
int GfLog(uint8_t value);

// The field product of a and b (clause 7.5.2).
uint8_t GfMultiply(uint8_t a, uint8_t b);

}  // namespace qrtables
