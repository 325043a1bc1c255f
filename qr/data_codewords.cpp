#include "qr/data_codewords.h"

#include <cassert>
#include <cstdlib>
#include <cstring>

#include "qr/base/engine_types.h"
#include "qr/bit_stream.h"
#include "qr/text_filter.h"
#include "sjis/shift_jis.h"

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

// Allocates the item arrays and the segment list for a filtered text of
// `length` bytes, zero-filled. False when one cannot be had.
bool AllocateItems(DataWork* w, int32_t length) {
    // Item arrays for L: values 2L + 8, widths 2L + 32 (the list ends in width 0).
    const int32_t capacity = StreamItemCapacity(length);
    w->items.values = static_cast<int32_t*>(std::calloc(capacity, sizeof(int32_t)));
    w->items.widths = static_cast<uint8_t*>(std::calloc(capacity + 24, 1));
    w->items.capacity = capacity;
    // Every segment has a byte at least, so L entries hold them all; past
    // kMaxSegments the text fits no version. An empty text has none.
    const int32_t entries = length < 1 ? 1 : length < kMaxSegments ? length : kMaxSegments;
    w->segmentItems = static_cast<int32_t*>(std::calloc(entries, sizeof(int32_t)));
    return w->items.values != nullptr && w->items.widths != nullptr && w->segmentItems != nullptr;
}

// What stages 5, 7 and 8 decide: the version, its capacity and the bits of
// the stream with its counts widened for the version.
struct StreamChoice {
    bool segmented;  // the text's segments are within kMaxSegments
    int levelCode;
    int32_t version;
    int32_t capacityBits;
    int32_t sumBits;
};

// Stages 5 to 8 on the allocated buffers. Returns kQROk, or kQRDoesNotFit
// when the text has more segments than any version holds or no version (or
// not the given one) holds the stream.
int32_t RunStreamStages(DataWork* w, int32_t length, char levelChar, char modeChar,
                        int32_t versionArg, SegmentList* segments, StreamChoice* c) {
    c->sumBits = 0;
    c->segmented =
        BuildStreamItems(w->filtered, length, modeChar, &w->items, segments, &c->sumBits) == kQROk;
    if (!c->segmented) return kQRDoesNotFit;  // more segments than any version can hold

    c->levelCode = LevelCodeFromChar(levelChar);
    c->version = 0;
    c->capacityBits = 0;
    if (ChooseVersion(&w->items, segments, c->sumBits, c->levelCode, versionArg, &c->version,
                      &c->capacityBits) != kQROk)
        return kQRDoesNotFit;
    c->sumBits += WidenCountItems(&w->items, segments, c->version);
    return kQROk;
}

// The stages after filtering, on the allocated buffers.
int32_t EncodeFiltered(DataWork* w, int32_t length, char levelChar, char modeChar,
                       int32_t versionArg, DataCodewords* out) {
    if (!AllocateItems(w, length)) return kQROutOfMemory;
    SegmentList segments{w->segmentItems, 0};
    StreamChoice c;
    int32_t rc = RunStreamStages(w, length, levelChar, modeChar, versionArg, &segments, &c);
    if (rc != kQROk) return rc;
    if (AppendTerminator(&w->items, &c.sumBits, c.capacityBits) != kQROk) return kQRDoesNotFit;
    assert(c.sumBits <= c.capacityBits);

    PackDataCodewords(&w->items, c.capacityBits, out->bytes);
    out->version = c.version;
    out->capacityBits = c.capacityBits;
    out->dataCount = c.capacityBits / 8;
    out->totalCodewords = TotalCodewords(c.version);
    out->remainderBits = RemainderBits(c.version);
    out->levelCode = c.levelCode;
    return kQROk;
}

// Characters of a NUL-terminated code page 932 text, a lead byte and the
// byte after it counting as one.
int32_t CharacterCount(const char* text) {
    int32_t count = 0;
    for (const char* p = text; *p != '\0'; p += ShiftJisCharLength(p)) ++count;
    return count;
}

// The letter of a segment's data mode.
char ModeLetter(DataMode mode) { return "NABK"[mode]; }

// The plan's stream and segments, the filtered text in w->filtered. The
// stream is built for an empty filtered text too: its bits (mode and count
// indicators alone) still rank the modes that keep nothing.
int32_t PlanFiltered(DataWork* w, int32_t length, char levelChar, char modeChar,
                     int32_t versionArg, QRSymbolPlan* plan) {
    if (!AllocateItems(w, length)) return kQROutOfMemory;
    SegmentList segments{w->segmentItems, 0};
    StreamChoice c;
    const int32_t rc = RunStreamStages(w, length, levelChar, modeChar, versionArg, &segments, &c);
    if (!c.segmented) return rc;
    plan->streamBits = c.sumBits;
    plan->segmentCount = length == 0 ? 0 : segments.count;  // an empty segment is none
    for (int32_t i = 0; i < plan->segmentCount; ++i) {
        const int32_t countItem = segments.countItems[i];
        plan->segments[i] = {ModeLetter(SegmentMode(&w->items, countItem)),
                             w->items.values[countItem]};
    }
    if (rc != kQROk) return rc;
    if (length == 0) return kQROk;  // nothing to encode: no version
    if (c.sumBits > c.capacityBits) return kQRDoesNotFit;  // the given version is too small
    plan->version = c.version;
    plan->capacityBits = c.capacityBits;
    return kQROk;
}

}  // namespace

int32_t BuildDataCodewords(const char* text, char levelChar, char modeChar, int32_t version,
                           DataCodewords* out) {
    if (text == nullptr || out == nullptr) return kQRBadArgument;
    out->version = 0;
    out->dataCount = 0;

    DataWork w;
    const size_t textLength = std::strlen(text);
    w.filtered = static_cast<char*>(std::calloc(textLength + 1, 1));
    int32_t rc = kQROutOfMemory;
    if (w.filtered != nullptr) {
        // The filter keeps at most the text's bytes; a kept length beyond any
        // version's capacity fails before the item arrays are sized from it.
        // Nothing kept is no symbol, whatever the version asked for.
        const size_t kept = FilterText(text, modeChar, w.filtered);
        if (kept == 0)
            rc = kQROk;
        else if (version < 0 || version > kMaxVersion)
            rc = kQRBadArgument;
        else if (kept > static_cast<size_t>(kMaxFilteredLength))
            rc = kQRDoesNotFit;
        else
            rc = EncodeFiltered(&w, static_cast<int32_t>(kept), levelChar, modeChar, version, out);
    }
    ReleaseDataWork(&w);
    if (rc != kQROk) out->version = 0;
    return rc;
}

int32_t PlanDataStages(const char* text, char levelChar, char modeChar, int32_t version,
                       QRSymbolPlan* plan) {
    if (text == nullptr || plan == nullptr || version < 0 || version > kMaxVersion)
        return kQRBadArgument;
    plan->characters = CharacterCount(text);
    plan->dropped = plan->changed = plan->keptBytes = 0;
    plan->version = plan->capacityBits = plan->streamBits = plan->segmentCount = 0;

    DataWork w;
    w.filtered = static_cast<char*>(std::calloc(std::strlen(text) + 1, 1));
    int32_t rc = kQROutOfMemory;
    if (w.filtered != nullptr) {
        const size_t kept = FilterText(text, modeChar, w.filtered);
        plan->keptBytes = static_cast<int32_t>(kept);
        plan->dropped = plan->characters - CharacterCount(w.filtered);
        if (modeChar == 'A')
            for (size_t i = 0; i < kept; ++i)
                plan->changed += w.filtered[i] >= 'a' && w.filtered[i] <= 'z' ? 1 : 0;
        rc = kept > static_cast<size_t>(kMaxFilteredLength)
                 ? kQRDoesNotFit
                 : PlanFiltered(&w, static_cast<int32_t>(kept), levelChar, modeChar, version, plan);
    }
    ReleaseDataWork(&w);
    if (rc != kQROk) plan->version = plan->capacityBits = 0;
    return rc;
}
