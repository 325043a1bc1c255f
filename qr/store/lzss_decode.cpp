#include "qr/store/lzss_decode.h"

#include <cassert>
#include <cstdlib>
#include <cstring>

#include "qr/base/engine_types.h"

namespace {

// Walks the elements of a stream as far as its input goes, calling
// literal(byte) and match(ring position, length) for each, until one of them
// returns false.
template <typename Literal, typename Match>
void WalkStream(const uint8_t* in, int32_t inLength, Literal literal, Match match) {
    int32_t i = 0;
    unsigned flags = 0;  // the flag bits still to use, above a sentinel bit
    while (true) {
        flags >>= 1;
        if ((flags & 0x100) == 0) {
            if (i >= inLength) return;
            flags = in[i++] | 0xFF00u;
        }
        if (flags & 1) {
            if (i >= inLength) return;
            if (!literal(in[i++])) return;
        } else {
            if (i + 1 >= inLength) return;  // a match cut off outputs nothing
            const int32_t b1 = in[i], b2 = in[i + 1];
            i += 2;
            if (!match(b1 | ((b2 & 0xF0) << 4), (b2 & 0x0F) + kLzssMinMatch)) return;
        }
    }
}

}  // namespace

int32_t LzssDecodeInto(const uint8_t* in, int32_t inLength, uint8_t* out, int32_t capacity) {
    assert(capacity >= 0 && (out != nullptr || capacity == 0));
    int32_t length = 0;
    WalkStream(
        in, inLength,
        [&](uint8_t c) {
            if (length == capacity) return false;
            out[length++] = c;
            return true;
        },
        [&](int32_t position, int32_t count) {
            if (length == capacity) return false;
            if (count > capacity - length) count = capacity - length;
            // The next byte goes to ring position 4078 + length (mod 4096),
            // so the byte at `position` was output `distance` bytes ago, 1 to
            // 4096, or before the output began: a zero of the fill.
            const int32_t distance = ((kLzssStartPosition + length - position - 1) & 4095) + 1;
            const int32_t from = length - distance;
            if (from >= 0 && distance >= count) {
                std::memcpy(out + length, out + from, static_cast<size_t>(count));
            } else {
                // Byte by byte: the match overlaps what it produces, or
                // starts in the fill.
                for (int32_t k = 0; k < count; ++k)
                    out[length + k] = from + k >= 0 ? out[from + k] : 0;
            }
            length += count;
            return true;
        });
    return length;
}

int32_t LzssDecode(uint8_t** out, int32_t* outLength, const uint8_t* in, int32_t inLength) {
    *out = nullptr;
    *outLength = 0;
    // The whole length first, then one buffer of whole steps above it.
    int64_t length = 0;
    WalkStream(
        in, inLength, [&](uint8_t) { return ++length, true; },
        [&](int32_t, int32_t count) { return length += count, true; });
    if (length >= INT32_MAX - kLzssOutputStep) return kQROutOfMemory;  // no int32_t length
    const int64_t capacity = (length / kLzssOutputStep + 1) * kLzssOutputStep;
    auto* buffer = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(capacity)));
    if (buffer == nullptr) return kQROutOfMemory;
    const int32_t produced =
        LzssDecodeInto(in, inLength, buffer, static_cast<int32_t>(length));
    assert(produced == length && produced < capacity && capacity % kLzssOutputStep == 0);
    *out = buffer;
    *outLength = produced;
    return kQROk;
}
