#include "standin/resources/byte_reader.h"

bool ByteReader::U8(uint8_t* value) {
    if (Remaining() < 1) return false;
    *value = bytes_[pos_];
    pos_ += 1;
    return true;
}

bool ByteReader::U16(uint16_t* value) {
    if (Remaining() < 2) return false;
    *value = LoadU16(bytes_.data() + pos_);
    pos_ += 2;
    return true;
}

bool ByteReader::U32(uint32_t* value) {
    if (Remaining() < 4) return false;
    *value = LoadU32(bytes_.data() + pos_);
    pos_ += 4;
    return true;
}

bool ByteReader::I16(int16_t* value) {
    uint16_t raw;
    if (!U16(&raw)) return false;
    *value = static_cast<int16_t>(raw);
    return true;
}

bool ByteReader::I32(int32_t* value) {
    uint32_t raw;
    if (!U32(&raw)) return false;
    *value = static_cast<int32_t>(raw);
    return true;
}

bool ByteReader::Skip(size_t count) {
    if (Remaining() < count) return false;
    pos_ += count;
    return true;
}

bool ByteReader::Peek(size_t count, std::span<const uint8_t>* bytes) const {
    if (Remaining() < count) return false;
    *bytes = bytes_.subspan(pos_, count);
    return true;
}

bool ByteReader::AlignTo4() {
    const size_t padding = (4 - pos_ % 4) % 4;
    return Skip(padding);
}

bool ByteReader::Utf16z(std::u16string* text) {
    std::u16string out;
    size_t at = pos_;
    for (;;) {
        if (bytes_.size() - at < 2) return false;
        const uint16_t unit = LoadU16(bytes_.data() + at);
        at += 2;
        if (unit == 0) break;
        out.push_back(static_cast<char16_t>(unit));
    }
    pos_ = at;
    *text = std::move(out);
    return true;
}
