#include "qr/store/crc32.h"

#include <array>
#include <bit>
#include <cstring>

namespace {

constexpr uint32_t kReflectedPolynomial = 0xEDB88320u;

// Eight tables of 256 entries: table 0 is the CRC of one byte; table t the
// CRC of that byte followed by t zero bytes. Eight bytes then take eight
// lookups and no loop over their bits.
using SliceTables = std::array<std::array<uint32_t, 256>, 8>;

constexpr SliceTables MakeSliceTables() {
    SliceTables t{};
    for (uint32_t b = 0; b < 256; ++b) {
        uint32_t c = b;
        for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? (c >> 1) ^ kReflectedPolynomial : c >> 1;
        t[0][b] = c;
    }
    for (size_t s = 1; s < t.size(); ++s)
        for (uint32_t b = 0; b < 256; ++b) t[s][b] = (t[s - 1][b] >> 8) ^ t[0][t[s - 1][b] & 0xFF];
    return t;
}

constexpr SliceTables kTables = MakeSliceTables();
// The eight-byte step loads its words little-endian.
static_assert(std::endian::native == std::endian::little);
static_assert(kTables[0][1] == 0x77073096u && kTables[0][255] == 0x2D02EF8Du);

}  // namespace

uint32_t Crc32(const uint8_t* bytes, size_t length, uint32_t crc) {
    uint32_t c = ~crc;
    size_t i = 0;
    for (; i + 8 <= length; i += 8) {
        uint32_t low, high;
        std::memcpy(&low, bytes + i, 4);
        std::memcpy(&high, bytes + i + 4, 4);
        low ^= c;
        c = kTables[7][low & 0xFF] ^ kTables[6][(low >> 8) & 0xFF] ^
            kTables[5][(low >> 16) & 0xFF] ^ kTables[4][low >> 24] ^
            kTables[3][high & 0xFF] ^ kTables[2][(high >> 8) & 0xFF] ^
            kTables[1][(high >> 16) & 0xFF] ^ kTables[0][high >> 24];
    }
    for (; i < length; ++i) c = (c >> 8) ^ kTables[0][(c ^ bytes[i]) & 0xFF];
    return ~c;
}
