#include "qr/lzss_decode.h"

#include <cassert>
#include <cstdlib>

#include "qr/symbol_encoder.h"

namespace {

// Makes room for `needed` more bytes behind `length`, keeping the capacity a
// multiple of the output step and above the length.
bool Reserve(uint8_t** buffer, int32_t* capacity, int32_t length, int32_t needed) {
    if (length + needed < *capacity) return true;
    int32_t grown = *capacity;
    while (length + needed >= grown) grown += kLzssOutputStep;
    auto* p = static_cast<uint8_t*>(std::realloc(*buffer, static_cast<size_t>(grown)));
    if (p == nullptr) return false;
    *buffer = p;
    *capacity = grown;
    return true;
}

}  // namespace

int32_t LzssDecode(uint8_t** out, int32_t* outLength, const uint8_t* in, int32_t inLength) {
    *out = nullptr;
    *outLength = 0;
    // Positions 0 to 4077 must start as zero bytes. The last 18 are cleared
    // too: a valid stream never reads them before writing them, and a damaged
    // one then decodes the same way every time.
    uint8_t ring[kLzssRingSize] = {};
    uint8_t* buffer = nullptr;
    int32_t capacity = 0;
    int32_t length = 0;
    if (!Reserve(&buffer, &capacity, 0, 1)) return kQROutOfMemory;

    int32_t r = kLzssStartPosition;
    int32_t i = 0;
    unsigned flags = 0;  // the flag bits still to use, above a sentinel bit
    while (true) {
        flags >>= 1;
        if ((flags & 0x100) == 0) {
            if (i >= inLength) break;
            flags = in[i++] | 0xFF00u;
        }
        if (!Reserve(&buffer, &capacity, length, kLzssMaxMatch)) {
            std::free(buffer);
            return kQROutOfMemory;
        }
        if (flags & 1) {
            if (i >= inLength) break;
            const uint8_t c = in[i++];
            buffer[length++] = c;
            ring[r] = c;
            r = (r + 1) & (kLzssRingSize - 1);
        } else {
            if (i + 1 >= inLength) break;  // a match cut off outputs nothing
            const int32_t b1 = in[i], b2 = in[i + 1];
            i += 2;
            int32_t pos = b1 | ((b2 & 0xF0) << 4);
            const int32_t count = (b2 & 0x0F) + kLzssMinMatch;
            // Byte by byte: a match may overlap what it produces.
            for (int32_t k = 0; k < count; ++k) {
                const uint8_t c = ring[pos];
                pos = (pos + 1) & (kLzssRingSize - 1);
                buffer[length++] = c;
                ring[r] = c;
                r = (r + 1) & (kLzssRingSize - 1);
            }
        }
    }
    assert(length < capacity && capacity % kLzssOutputStep == 0);
    *out = buffer;
    *outLength = length;
    return kQROk;
}
