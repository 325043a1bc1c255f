#include "tools/qrtables/gf256.h"

#include <array>
#include <cassert>

namespace qrtables {
namespace {

struct FieldTables {
    std::array<uint8_t, 255> exp{};
    std::array<int16_t, 256> log{};
};

// Powers of alpha by repeated doubling, reduced by the primitive polynomial
// whenever x^8 appears (clause 7.5.2).
constexpr FieldTables MakeFieldTables() {
    FieldTables t{};
    int value = 1;
    for (int power = 0; power < 255; ++power) {
        t.exp[power] = static_cast<uint8_t>(value);
        t.log[value] = static_cast<int16_t>(power);
        value <<= 1;
        if (value & 0x100) value ^= kPrimitivePolynomial;
    }
    t.log[0] = -1;
    return t;
}

constexpr FieldTables kField = MakeFieldTables();

// alpha generates the whole multiplicative group only if the polynomial is
// primitive: then the 255 powers are distinct and come back to 1.
static_assert(kField.exp[0] == 1 && kField.exp[8] == 0x1D && kField.log[0x1D] == 8);

}  // namespace

uint8_t GfExp(int power) {
    int p = power % 255;
    if (p < 0) p += 255;
    return kField.exp[p];
}

int GfLog(uint8_t value) {
    assert(value != 0);
    return kField.log[value];
}

uint8_t GfMultiply(uint8_t a, uint8_t b) {
    if (a == 0 || b == 0) return 0;
    return kField.exp[(kField.log[a] + kField.log[b]) % 255];
}

}  // namespace qrtables
