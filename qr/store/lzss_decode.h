// The LZSS decompressor of the table file's sections.
//
// A stream is a flag byte governing the next eight elements (least significant
// bit first: 1 = a literal byte, 0 = a match), literals, and matches of two
// bytes b1 b2: ring position b1 + 256 * (b2 >> 4), length (b2 & 0x0F) + 3.
// The ring holds 4096 bytes; positions 0 to 4077 start as 0x00 and writing
// starts at 4078. Every byte written to the ring is also output, so the ring
// is always the last 4096 bytes of the output: the decoder reads a match from
// the output itself, a position not yet written reading as 0x00 (the last 18
// positions too, so that a damaged stream decodes the same way every time).
// Decodes share nothing.
#pragma once

#include <cstdint>

inline constexpr int32_t kLzssRingSize = 4096;
inline constexpr int32_t kLzssMaxMatch = 18;
inline constexpr int32_t kLzssMinMatch = 3;
inline constexpr int32_t kLzssStartPosition = kLzssRingSize - kLzssMaxMatch;  // 4078
inline constexpr int32_t kLzssOutputStep = 8192;

// Decodes `inLength` bytes at `in`. Sets *out to nullptr and *outLength to 0
// first, then to a buffer the caller releases with std::free and the number
// of bytes produced. The buffer's capacity is a multiple of 8192 greater than
// the length. Stops where the input ends, also inside an element. Returns 0,
// or kQROutOfMemory (outputs none and 0).
int32_t LzssDecode(uint8_t** out, int32_t* outLength, const uint8_t* in, int32_t inLength);

// Decodes into `out` the first `capacity` bytes of the stream, fewer if the
// input ends first (where LzssDecode would stop), and returns how many. What
// a caller needs of a section is all it decodes.
int32_t LzssDecodeInto(const uint8_t* in, int32_t inLength, uint8_t* out, int32_t capacity);
