#include "qr/format_information.h"

#include <cassert>

namespace {

// Indexed by level code x 8 + mask; each string in a 32-byte slot.
constexpr char kFormatStrings[32][32] = {
    "101010000010010", "101000100100101", "101111001111100", "101101101001011",
    "100010111111001", "100000011001110", "100111110010111", "100101010100000",
    "111011111000100", "111001011110011", "111110110101010", "111100010011101",
    "110011000101111", "110001100011000", "110110001000001", "110100101110110",
    "001011010001001", "001001110111110", "001110011100111", "001100111010000",
    "000011101100010", "000001001010101", "000110100001100", "000100000111011",
    "011010101011111", "011000001101000", "011111100110001", "011101000000110",
    "010010010110100", "010000110000011", "010111011011010", "010101111101101",
};

}  // namespace

const uint8_t kFormatFirstCopyColumns[kFormatBits] = {0, 1, 2, 3, 4, 5, 7, 8, 8, 8, 8, 8, 8, 8, 8};
const uint8_t kFormatFirstCopyRows[kFormatBits] = {8, 8, 8, 8, 8, 8, 8, 8, 7, 5, 4, 3, 2, 1, 0};

const char* FormatString(int levelCode, int mask) {
    assert(levelCode >= 0 && levelCode < 4 && mask >= 0 && mask < 8);
    return kFormatStrings[levelCode * 8 + mask];
}
