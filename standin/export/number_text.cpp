#include "standin/export/number_text.h"

#include <cassert>
#include <charconv>
#include <cmath>
#include <cstring>

namespace standin {
namespace {

// Long enough for any finite double in plain notation with the digits
// shortest round trip needs for the differences of floats we write.
constexpr size_t kNumberTextSize = 400;

template <typename T>
void AppendPlain(std::string* out, T value) {
    assert(std::isfinite(value));
    char text[kNumberTextSize];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    assert(ec == std::errc());
    if (ec != std::errc()) {
        *out += '0';
        return;
    }
    // "-0" reads back as zero all the same; keep the output free of it.
    if (end - text == 2 && text[0] == '-' && text[1] == '0') {
        *out += '0';
        return;
    }
    out->append(text, end);
}

}  // namespace

void AppendShortest(std::string* out, float value) {
    AppendPlain(out, value);
}

void AppendShortest(std::string* out, double value) {
    AppendPlain(out, value);
}

// One remembered float: its bits and its text, when that is short enough.
struct ShortestFloatCache::Slot {
    uint32_t bits;
    uint8_t length;  // 0: empty
    char text[27];
};

namespace {

// Slots of the cache, a power of two: room for the rows and columns of the
// largest symbol.
constexpr size_t kCacheSlots = 1024;

}  // namespace

ShortestFloatCache::ShortestFloatCache() : slots_(new Slot[kCacheSlots]()) {}

ShortestFloatCache::~ShortestFloatCache() {
    delete[] slots_;
}

std::string_view ShortestFloatCache::Text(float value) {
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    static_assert(kCacheSlots == 1u << 10);
    Slot& slot = slots_[(bits * 2654435761u) >> 22];
    if (slot.length != 0 && slot.bits == bits) return std::string_view(slot.text, slot.length);
    scratch_.clear();
    AppendShortest(&scratch_, value);
    if (scratch_.size() < sizeof slot.text) {
        slot.bits = bits;
        slot.length = static_cast<uint8_t>(scratch_.size());
        std::memcpy(slot.text, scratch_.data(), scratch_.size());
    }
    return scratch_;
}

void AppendNineDigits(std::string* out, double value) {
    char text[64];
    const auto [end, ec] =
        std::to_chars(text, text + sizeof text, value, std::chars_format::general, 9);
    assert(ec == std::errc());
    out->append(text, ec == std::errc() ? end : text);
}

}  // namespace standin
