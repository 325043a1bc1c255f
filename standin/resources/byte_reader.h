// Bounded little-endian reads from a byte span. Every read checks that the
// bytes are there; a failed read leaves the position where it was, so a
// reader stops cleanly at the first short read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

class ByteReader {
  public:
    explicit ByteReader(std::span<const uint8_t> bytes, size_t pos = 0)
        : bytes_(bytes), pos_(pos <= bytes.size() ? pos : bytes.size()) {}

    size_t Position() const { return pos_; }
    size_t Remaining() const { return bytes_.size() - pos_; }

    bool U8(uint8_t* value);
    bool U16(uint16_t* value);
    bool U32(uint32_t* value);
    bool I16(int16_t* value);
    bool I32(int32_t* value);
    // Moves on `count` bytes.
    bool Skip(size_t count);
    // The next `count` bytes, without moving.
    bool Peek(size_t count, std::span<const uint8_t>* bytes) const;
    // Moves on to the next multiple of 4 from the start of the span.
    bool AlignTo4();
    // A UTF-16 string up to its zero unit, which is consumed too.
    bool Utf16z(std::u16string* text);

  private:
    std::span<const uint8_t> bytes_;
    size_t pos_;
};

// Little-endian values at `offset` of `bytes`; the caller has checked the bounds.
inline uint16_t LoadU16(const uint8_t* bytes) {
    return static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
}
inline uint32_t LoadU32(const uint8_t* bytes) {
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}
inline uint64_t LoadU64(const uint8_t* bytes) {
    return static_cast<uint64_t>(LoadU32(bytes)) | static_cast<uint64_t>(LoadU32(bytes + 4)) << 32;
}

// Whether [offset, offset + length) lies inside a buffer of `size` bytes,
// without overflow.
inline bool RangeFits(uint64_t offset, uint64_t length, uint64_t size) {
    return offset <= size && length <= size - offset;
}
