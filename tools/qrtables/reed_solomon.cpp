#include "tools/qrtables/reed_solomon.h"

#include <cassert>

#include "tools/qrtables/gf256.h"

namespace qrtables {

std::vector<uint8_t> GeneratorPolynomial(int degree) {
    assert(degree >= 1 && degree <= 255);
    // poly[0] is the leading coefficient; multiplying by (x - alpha^i) shifts
    // every coefficient one degree up and adds alpha^i times the old one
    // (minus is plus in a field of characteristic 2).
    std::vector<uint8_t> poly{1};
    for (int i = 0; i < degree; ++i) {
        const uint8_t root = GfExp(i);
        poly.push_back(0);
        for (size_t d = poly.size() - 1; d > 0; --d) poly[d] ^= GfMultiply(poly[d - 1], root);
    }
    assert(poly.size() == static_cast<size_t>(degree) + 1 && poly[0] == 1);
    return std::vector<uint8_t>(poly.begin() + 1, poly.end());
}

std::vector<uint8_t> GeneratorRecord(int degree) {
    const std::vector<uint8_t> g = GeneratorPolynomial(degree);
    std::vector<uint8_t> record;
    record.reserve(256 * g.size());
    for (int f = 0; f < 256; ++f)
        for (uint8_t c : g) record.push_back(GfMultiply(static_cast<uint8_t>(f), c));
    return record;
}

std::vector<uint8_t> ErrorCorrectionCodewords(std::span<const uint8_t> data, int degree) {
    const std::vector<uint8_t> g = GeneratorPolynomial(degree);
    // Long division, one data codeword at a time: the register holds the
    // running remainder, highest coefficient first.
    std::vector<uint8_t> remainder(g.size(), 0);
    for (uint8_t d : data) {
        const uint8_t factor = d ^ remainder[0];
        remainder.erase(remainder.begin());
        remainder.push_back(0);
        for (size_t i = 0; i < g.size(); ++i) remainder[i] ^= GfMultiply(g[i], factor);
    }
    return remainder;
}

}  // namespace qrtables
