#include "qr/data_codewords.h"

#include <cassert>
#include <cstdlib>
#include <cstring>

#include "qr/bit_stream.h"
#include "qr/symbol_encoder.h"
#include "qr/text_filter.h"

namespace {

// The buffers of the data stages, all zero-filled when allocated.
struct DataWork {
    char* filtered = nullptr;
    int32_t* segmentItems = nullptr;
    StreamItems items{};
};

void ReleaseDataWork(DataWork* w) {
    std::free(w->filtered);
    std::free(w->segmentItems);
    std::free(w->items.values);
    std::free(w->items.widths);
}

// The stages after filtering, on the allocated buffers.
int32_t EncodeFiltered(DataWork* w, int32_t length, char levelChar, char modeChar,
                       int32_t versionArg, DataCodewords* out) {
    // Item arrays for L: values 2L + 8, widths 2L + 32 (the list ends in width 0).
    const int32_t capacity = StreamItemCapacity(length);
    w->items.values = static_cast<int32_t*>(std::calloc(capacity, sizeof(int32_t)));
    w->items.widths = static_cast<uint8_t*>(std::calloc(capacity + 24, 1));
    w->items.capacity = capacity;
    // Every segment has a byte at least, so L entries hold them all; past
    // kMaxSegments the text fits no version.
    w->segmentItems = static_cast<int32_t*>(
        std::calloc(length < kMaxSegments ? length : kMaxSegments, sizeof(int32_t)));
    if (w->items.values == nullptr || w->items.widths == nullptr || w->segmentItems == nullptr)
        return kQROutOfMemory;

    SegmentList segments{w->segmentItems, 0};
    int32_t sumBits = 0;
    if (BuildStreamItems(w->filtered, length, modeChar, &w->items, &segments, &sumBits) != kQROk)
        return kQRDoesNotFit;  // more segments than any version can hold

    const int levelCode = LevelCodeFromChar(levelChar);
    int32_t version = 0;
    int32_t capacityBits = 0;
    if (ChooseVersion(&w->items, &segments, sumBits, levelCode, versionArg, &version,
                      &capacityBits) != kQROk)
        return kQRDoesNotFit;
    sumBits += WidenCountItems(&w->items, &segments, version);
    if (AppendTerminator(&w->items, &sumBits, capacityBits) != kQROk) return kQRDoesNotFit;
    assert(sumBits <= capacityBits);

    PackDataCodewords(&w->items, capacityBits, out->bytes);
    out->version = version;
    out->capacityBits = capacityBits;
    out->dataCount = capacityBits / 8;
    out->totalCodewords = TotalCodewords(version);
    out->remainderBits = RemainderBits(version);
    out->levelCode = levelCode;
    return kQROk;
}

}  // namespace

int32_t BuildDataCodewords(const char* text, char levelChar, char modeChar, int32_t version,
                           DataCodewords* out) {
    if (text == nullptr || out == nullptr || version < 0 || version > kMaxVersion)
        return kQRBadArgument;
    out->version = 0;
    out->dataCount = 0;

    DataWork w;
    const size_t textLength = std::strlen(text);
    w.filtered = static_cast<char*>(std::calloc(textLength + 1, 1));
    int32_t rc = kQROutOfMemory;
    if (w.filtered != nullptr) {
        // The filter keeps at most the text's bytes; a kept length beyond any
        // version's capacity fails before the item arrays are sized from it.
        const size_t kept = FilterText(text, modeChar, w.filtered);
        if (kept == 0)
            rc = kQROk;
        else if (kept > static_cast<size_t>(kMaxFilteredLength))
            rc = kQRDoesNotFit;
        else
            rc = EncodeFiltered(&w, static_cast<int32_t>(kept), levelChar, modeChar, version, out);
    }
    ReleaseDataWork(&w);
    if (rc != kQROk) out->version = 0;
    return rc;
}
