// The engine's shared vocabulary, below every other file of it: the result
// codes, the module matrix, the records an encoding reads from the table
// file, and the format information's fixed constants. It declares no
// function; the pipeline (qr/), the table store (qr/store/) and the callers
// of the door (symbol_encoder.h) all speak in these words.
#pragma once

#include <cstdint>

// The versions of a symbol.
inline constexpr int kQRMinVersion = 1;
inline constexpr int kQRMaxVersion = 40;

// Side of a version-40 symbol: one ModuleMatrix holds every version.
inline constexpr int kMaxSide = 177;

// The square of dark and light modules of one symbol. The module in column x,
// row y (0, 0 at the top left) is modules[x * kMaxSide + y]: 1 dark, 0 light.
// Only the side x side square at the top left is ever written.
struct ModuleMatrix {
    int16_t side;  // 4 x version + 17, or 0 for "no symbol"
    uint8_t modules[kMaxSide * kMaxSide];
};

// Return codes of EncodeQRSymbol and of the engine's stages.
enum QRResult : int32_t {
    kQROk = 0,                 // symbol written, or nothing to encode (side 0)
    kQRDoesNotFit = -1,        // the data fits neither the given version nor any up to 40
    kQRTableFileDamaged = -2,  // the table file is missing, unreadable or damaged
    kQROutOfMemory = -3,       // a working buffer could not be allocated
    kQRBadArgument = -4,       // a null pointer, or a version outside 0 to 40
};

// Bits of the format information, and the column and row of character x of
// its string in the first copy, around the top-left finder pattern (ISO/IEC
// 18004 clause 7.9.1 figure 25). The second copy's positions come from the
// version-and-level record.
inline constexpr int kFormatBits = 15;
inline constexpr uint8_t kFormatFirstCopyColumns[kFormatBits] = {0, 1, 2, 3, 4, 5, 7, 8,
                                                                 8, 8, 8, 8, 8, 8, 8};
inline constexpr uint8_t kFormatFirstCopyRows[kFormatBits] = {8, 8, 8, 8, 8, 8, 8, 8,
                                                              7, 5, 4, 3, 2, 1, 0};

// Most bit positions of a symbol, with a little room: version 40 has
// 8 x 3706 + 0 remainder bits = 29648.
inline constexpr int32_t kModuleListSize = 29656;
// The template: 177 rows of 177 characters and a separator, and a margin.
inline constexpr int32_t kTemplateSize = kMaxSide * kMaxSide + kMaxSide + 32;
// Longest block list, and the longest block the division register holds.
inline constexpr int32_t kMaxBlocks = 128;
inline constexpr int32_t kMaxBlockLength = 256;

// The records of one version and level (qr/store/symbol_records.h reads
// them), as views into the sections the table cache holds: valid until the
// next table read or the cache's reset. The fields of the version-and-level
// record follow each other in it.
struct SymbolRecords {
    const uint8_t* columns;        // column of bit k's module, N entries
    const uint8_t* rows;           // row of bit k's module
    const uint8_t* maskBits;       // bit m: mask m's condition holds there
    const uint8_t* formatColumns;  // second format copy, kFormatBits entries
    const uint8_t* formatRows;
    int32_t eccPerBlock;       // E
    const uint8_t* blockList;  // kMaxBlocks block lengths, ended by 0
    int32_t blockCount;
    const uint8_t* pattern;    // side rows of side + 1 bytes; '1' dark
    const uint8_t* generator;  // 256 rows of E bytes
};

// Most segments a mixed-mode text may have. Each costs at least 20 bits, so
// more could not fit even version 40.
inline constexpr int32_t kQRMaxSegments = 2048;

// One segment of a planned symbol: its mode letter ('N', 'A', 'B' or 'K')
// and the count its character-count indicator carries (digits, characters,
// bytes or Kanji characters).
struct QRSegmentPlan {
    char mode;
    int32_t characters;
};

// What the engine will do with a text at given settings, told without
// drawing (PlanQRSymbol of symbol_encoder.h).
struct QRSymbolPlan {
    int32_t characters;    // characters of the text, a lead byte and its second byte one
    int32_t dropped;       // characters the mode's filter drops
    int32_t changed;       // letters alphanumeric mode keeps that a reader gets in upper case
    int32_t keptBytes;     // bytes the filter keeps
    int32_t version;       // 1 to 40; 0 when nothing is kept or the data does not fit
    int32_t capacityBits;  // data capacity of the version at the level; 0 with version 0
    int32_t streamBits;    // the data's bits before the terminator, its counts as wide as the
                           // version takes them (versions 1 to 9's when no version holds it)
    int32_t segmentCount;  // 0 when the filter keeps nothing, or the text has too many segments
    QRSegmentPlan segments[kQRMaxSegments];
};

// What a version holds of one mode in one segment (QRModeCapacity).
struct QRCapacity {
    int32_t characters;   // every character that fits, up to the count indicator's limit
    int32_t wholeGroups;  // only those in whole groups (three digits, two alphanumerics)
};
