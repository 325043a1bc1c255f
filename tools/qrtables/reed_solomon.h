// Reed-Solomon generator polynomials and error-correction codewords of QR Code
// symbols, and the generator records of the table file built from them.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace qrtables {

// The coefficients below the leading x^E of the generator polynomial of
// degree E, the product of (x - alpha^i) for i = 0 to E - 1 (ISO/IEC 18004
// clause 7.5.2, Annex A): E bytes g(E-1), g(E-2), ..., g(0). degree >= 1.
std::vector<uint8_t> GeneratorPolynomial(int degree);

// The generator record of degree E: 256 rows of E bytes, row f holding f times
// each coefficient of GeneratorPolynomial(E), so that one long-division step
// of clause 7.5.2 is a row lookup and E exclusive-ors. Row 0 is all zero.
std::vector<uint8_t> GeneratorRecord(int degree);

// The `degree` error-correction codewords of one block of data codewords:
// the remainder of data(x) * x^E divided by the generator polynomial, highest
// coefficient first (clause 7.5.2).
std::vector<uint8_t> ErrorCorrectionCodewords(std::span<const uint8_t> data, int degree);

}  // namespace qrtables
