#include "qr/bit_stream.h"

#include <cassert>

#include "qr/base/engine_types.h"
#include "qr/text_filter.h"

namespace {

// Alphanumeric value of clause 7.4.4 table 5; lower case reads as upper case.
int32_t AlphanumericValue(uint8_t b) {
    if (b >= '0' && b <= '9') return b - '0';
    if (b >= 'A' && b <= 'Z') return b - 'A' + 10;
    if (b >= 'a' && b <= 'z') return b - 'a' + 10;
    switch (b) {
        case ' ': return 36;
        case '$': return 37;
        case '%': return 38;
        case '*': return 39;
        case '+': return 40;
        case '-': return 41;
        case '.': return 42;
        case '/': return 43;
        default: assert(b == ':'); return 44;
    }
}

// 13-bit value of a Kanji character (clause 7.4.6).
int32_t KanjiValue(uint8_t b1, uint8_t b2) {
    assert(IsEncodableKanji(b1, b2));
    int32_t w = (b1 << 8) | b2;
    w -= (b1 <= 0x9F) ? 0x8140 : 0xC140;
    return 0xC0 * (w >> 8) + (w & 0xFF);
}

// Clause 7.4.3: digits in groups of three, 10 bits; a last group of two in 7
// bits, of one in 4.
void AppendNumeric(StreamItems* items, const uint8_t* p, int32_t n) {
    int32_t i = 0;
    for (; i + 3 <= n; i += 3)
        AppendItem(items, (p[i] - '0') * 100 + (p[i + 1] - '0') * 10 + (p[i + 2] - '0'), 10);
    if (n - i == 2) AppendItem(items, (p[i] - '0') * 10 + (p[i + 1] - '0'), 7);
    if (n - i == 1) AppendItem(items, p[i] - '0', 4);
}

// Clause 7.4.4: pairs as 45 x first + second in 11 bits; a last single
// character in 6 bits.
void AppendAlphanumeric(StreamItems* items, const uint8_t* p, int32_t n) {
    int32_t i = 0;
    for (; i + 2 <= n; i += 2)
        AppendItem(items, 45 * AlphanumericValue(p[i]) + AlphanumericValue(p[i + 1]), 11);
    if (i < n) AppendItem(items, AlphanumericValue(p[i]), 6);
}

// Appends one segment: mode indicator, count at the narrowest width, characters.
int32_t AppendSegment(StreamItems* items, SegmentList* segments, DataMode mode, const uint8_t* p,
                      int32_t n) {
    if (segments->count >= kMaxSegments) return kQRDoesNotFit;
    AppendItem(items, ModeIndicator(mode), 4);
    segments->countItems[segments->count++] = items->count;
    const int32_t count = mode == kModeKanji ? n / 2 : n;
    AppendItem(items, count, CountWidthBase(mode));
    switch (mode) {
        case kModeNumeric: AppendNumeric(items, p, n); break;
        case kModeAlphanumeric: AppendAlphanumeric(items, p, n); break;
        case kModeByte:
            for (int32_t i = 0; i < n; ++i) AppendItem(items, p[i], 8);
            break;
        case kModeKanji:
            assert(n % 2 == 0);
            for (int32_t i = 0; i < n; i += 2) AppendItem(items, KanjiValue(p[i], p[i + 1]), 13);
            break;
    }
    return kQROk;
}

}  // namespace

void AppendItem(StreamItems* items, int32_t value, int width) {
    assert(items->count < items->capacity);
    // A count item may exceed its narrow width until it is widened; the
    // packer checks every value against its final width.
    assert(width > 0 && width <= 16 && value >= 0 && value < (1 << 16));
    items->values[items->count] = value;
    items->widths[items->count] = static_cast<uint8_t>(width);
    ++items->count;
}

int32_t BuildStreamItems(const char* filtered, int32_t length, char modeChar, StreamItems* items,
                         SegmentList* segments, int32_t* sumBits) {
    const auto* p = reinterpret_cast<const uint8_t*>(filtered);
    const int single = SingleModeFromChar(modeChar);
    if (single >= 0) {
        AppendSegment(items, segments, static_cast<DataMode>(single), p, length);
    } else {
        for (int32_t pos = 0; pos < length;) {
            const TextSegment seg = NextMixedSegment(filtered, length, pos);
            if (AppendSegment(items, segments, seg.mode, p + seg.start, seg.length) != kQROk)
                return kQRDoesNotFit;
            pos += seg.length;
        }
    }
    int32_t sum = 0;
    for (int32_t i = 0; i < items->count; ++i) sum += items->widths[i];
    *sumBits = sum;
    return kQROk;
}

DataMode SegmentMode(const StreamItems* items, int32_t countItem) {
    assert(countItem >= 1 && countItem < items->count);
    switch (items->values[countItem - 1]) {
        case 0x1: return kModeNumeric;
        case 0x2: return kModeAlphanumeric;
        case 0x4: return kModeByte;
        default: assert(items->values[countItem - 1] == 0x8); return kModeKanji;
    }
}

int32_t ChooseVersion(const StreamItems* items, const SegmentList* segments, int32_t sumBits,
                      int levelCode, int32_t versionArg, int32_t* version, int32_t* capacityBits) {
    if (versionArg != 0) {
        assert(versionArg >= kMinVersion && versionArg <= kMaxVersion);
        *version = versionArg;
        *capacityBits = DataCapacityBits(levelCode, versionArg);
        return kQROk;
    }
    for (int32_t v = kMinVersion; v <= kMaxVersion; ++v) {
        int32_t bits = sumBits;
        for (int32_t s = 0; s < segments->count; ++s)
            bits += CountWidthIncrements(SegmentMode(items, segments->countItems[s]))[v];
        const int32_t cap = DataCapacityBits(levelCode, v);
        if (bits <= cap) {
            *version = v;
            *capacityBits = cap;
            return kQROk;
        }
    }
    return kQRDoesNotFit;
}

int32_t WidenCountItems(StreamItems* items, const SegmentList* segments, int32_t version) {
    int32_t added = 0;
    for (int32_t s = 0; s < segments->count; ++s) {
        const int32_t item = segments->countItems[s];
        const int inc = CountWidthIncrements(SegmentMode(items, item))[version];
        items->widths[item] = static_cast<uint8_t>(items->widths[item] + inc);
        added += inc;
    }
    return added;
}

int32_t AppendTerminator(StreamItems* items, int32_t* sumBits, int32_t capacityBits) {
    const int32_t s = *sumBits;
    if (s > capacityBits) return kQRDoesNotFit;
    const int32_t width = capacityBits - s >= 4 ? 4 : capacityBits - s;
    if (width > 0) AppendItem(items, 0, width);
    *sumBits = s + width;
    return kQROk;
}

void PackDataCodewords(const StreamItems* items, int32_t capacityBits, uint8_t* codewords) {
    assert(capacityBits % 8 == 0 && capacityBits / 8 <= kMaxCodewords);
    const int32_t n = capacityBits / 8;
    // Items enter a bit accumulator, most significant bit first, and leave it
    // a byte at a time; an item is at most 16 bits, so at most 23 wait.
    uint32_t pending = 0;
    int32_t pendingBits = 0;
    int32_t k = 0;  // codewords written so far
    for (int32_t i = 0; i < items->count && items->widths[i] != 0; ++i) {
        const int32_t width = items->widths[i];
        const uint32_t v = static_cast<uint32_t>(items->values[i]);
        assert(v < (1u << width));
        pending = (pending << width) | v;
        pendingBits += width;
        while (pendingBits >= 8) {
            pendingBits -= 8;
            assert(k < n);
            codewords[k++] = static_cast<uint8_t>(pending >> pendingBits);
        }
        pending &= (1u << pendingBits) - 1;
    }
    // The bits after the last item within its byte are 0.
    if (pendingBits > 0) {
        assert(k < n);
        codewords[k++] = static_cast<uint8_t>(pending << (8 - pendingBits));
    }
    for (bool first = true; k < n; ++k, first = !first) codewords[k] = first ? 0xEC : 0x11;
}
