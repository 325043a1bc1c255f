// The data bit stream (ISO/IEC 18004 clause 7.4), stages 5, 7, 8, 12 and 13 of
// EncodeQRSymbol: stream items, version choice, count widening, terminator
// and packing into data codewords.
//
// A stream item is one field of the bit stream: a value and its width in bits,
// held in two parallel arrays. The first item of width 0 ends the list.
#pragma once

#include <cstdint>

#include "qr/base/engine_types.h"
#include "qr/version_tables.h"

// Most segments a mixed-mode text may have. Each costs at least 20 bits, so
// more could not fit even version 40.
inline constexpr int32_t kMaxSegments = kQRMaxSegments;

// The item arrays of one stream. `values` holds capacity entries and `widths`
// capacity + 24 (both zero-filled), so the list always ends in width 0.
struct StreamItems {
    int32_t* values;
    uint8_t* widths;
    int32_t capacity;  // items that may be written
    int32_t count;     // items written so far
};

// Item slots needed for a filtered text of `length` bytes: at most two header
// items per segment, one per character, and the terminator.
inline int32_t StreamItemCapacity(int32_t length) { return 2 * length + 8; }

// The segments of one stream: for each, the index of its character-count item.
// The item before it is the segment's mode indicator.
struct SegmentList {
    int32_t* countItems;  // kMaxSegments entries, or as many as the text has bytes
    int32_t count;
};

// Appends one item; the caller sized the arrays so that it always fits.
void AppendItem(StreamItems* items, int32_t value, int width);

// Stage 5 (clause 7.4.3 - 7.4.6): writes, for each segment of the filtered
// text, its mode indicator, its count at the width of versions 1 to 9, and
// its characters. Single modes make one segment; any other mode character
// cuts the text into Kanji and byte segments. Adds the widths to *sumBits.
// Returns kQROk, or kQRDoesNotFit when a mixed text has more than
// kMaxSegments segments.
int32_t BuildStreamItems(const char* filtered, int32_t length, char modeChar, StreamItems* items,
                         SegmentList* segments, int32_t* sumBits);

// The data mode of the segment whose count item is `countItem`.
DataMode SegmentMode(const StreamItems* items, int32_t countItem);

// Stage 7 (clause 7.3, table 7): with `versionArg` 1 to 40, takes that
// version's capacity; with 0, the first version whose capacity holds the
// stream with its counts widened for that version. Returns kQROk, or
// kQRDoesNotFit when no version up to 40 holds it.
int32_t ChooseVersion(const StreamItems* items, const SegmentList* segments, int32_t sumBits,
                      int levelCode, int32_t versionArg, int32_t* version, int32_t* capacityBits);

// Stage 8 (clause 7.4.1 table 3): widens every count item to its width at
// `version` and returns the bits added.
int32_t WidenCountItems(StreamItems* items, const SegmentList* segments, int32_t version);

// Stage 12 (clause 7.4.9): appends the terminator, 4 bits or the 1 to 3 bits
// left before the capacity, or nothing when the stream fills it exactly.
// Returns kQRDoesNotFit when the stream is longer than the capacity.
int32_t AppendTerminator(StreamItems* items, int32_t* sumBits, int32_t capacityBits);

// Stage 13 (clause 7.4.10): packs the items, most significant bit first, into
// capacityBits / 8 codewords, completing the last byte with 0 bits and
// filling with the pad codewords 0xEC and 0x11 alternately.
void PackDataCodewords(const StreamItems* items, int32_t capacityBits, uint8_t* codewords);
