// The LZSS decoder alone, on any stream: both decoders agree, the bounded
// one stops at its capacity, and the whole one fits its buffer.
#include <cstdlib>
#include <cstring>

#include "fuzz/fuzz_support.h"
#include "qr/store/lzss_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1u << 20)) return -1;
    const auto length = static_cast<int32_t>(size);
    uint8_t* whole = nullptr;
    int32_t wholeLength = 0;
    if (LzssDecode(&whole, &wholeLength, data, length) != 0) return 0;
    FUZZ_CHECK(whole != nullptr || wholeLength == 0, "a buffer for what was decoded");
    // At most 18 bytes from each input byte.
    FUZZ_CHECK(wholeLength <= 18 * length, "no more output than the stream holds");

    // The first `capacity` bytes, decoded into a buffer of exactly that size.
    const int32_t capacity = length == 0 ? 0 : data[0] * 37 % (wholeLength + 1);
    auto* part = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(capacity) + 1));
    FUZZ_CHECK(part != nullptr, "memory");
    const int32_t got = LzssDecodeInto(data, length, part, capacity);
    FUZZ_CHECK(got == capacity, "the bounded decode fills its capacity");
    FUZZ_CHECK(capacity == 0 || std::memcmp(part, whole, static_cast<size_t>(capacity)) == 0,
               "the bounded decode gives the whole decode's first bytes");
    std::free(part);
    std::free(whole);
    return 0;
}
