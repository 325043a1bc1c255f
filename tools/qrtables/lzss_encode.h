// The LZSS compressor of the table file's sections.
//
// The stream it writes: a flag byte governing the next eight elements, least
// significant bit first (1 = a literal byte follows, 0 = a match follows);
// a match is two bytes b1 = position & 0xFF, b2 = ((position >> 4) & 0xF0) |
// (length - 3), naming a place in the decoder's 4096-byte ring and a length of
// 3 to 18 bytes. The decoder clears ring positions 0 to 4077 to 0x00 and
// writes from 4078 on, so a stream may copy from the zero fill, and never
// refers to positions 4078 to 4095 before it has written them.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace qrtables {

inline constexpr int kLzssRing = 4096;
inline constexpr int kLzssFirstWrite = 4078;
inline constexpr int kLzssShortestMatch = 3;
inline constexpr int kLzssLongestMatch = 18;

// Compresses `data` into the stream above. Matches are found through hash
// chains over the window, and the choice between literals and matches is an
// optimal parse: the fewest bits for the whole section.
std::vector<uint8_t> LzssEncode(std::span<const uint8_t> data);

}  // namespace qrtables
