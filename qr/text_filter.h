// Input filtering (stage 2 of EncodeQRSymbol) and the mixed-mode segmentation
// that stage 5 walks.
//
// The text is a code page 932 byte string. Each mode keeps the characters it
// can encode and silently drops the rest; mixed mode then cuts what it kept
// into maximal runs of Kanji characters and of other bytes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "qr/version_tables.h"
#include "sjis/shift_jis.h"

// True when the two-byte character b1 b2 lies in the Kanji ranges that
// ISO/IEC 18004 clause 7.4.6 can compact to 13 bits: 0x8140-0x9FFC or
// 0xE040-0xEBBF, with a second byte of 0x40-0xFC other than 0x7F.
bool IsEncodableKanji(uint8_t b1, uint8_t b2);

// The data mode that `modeChar` selects, or -1 for mixed mode (any character
// but 'N', 'A', 'B' and 'K').
int SingleModeFromChar(char modeChar);

// Copies into `filtered` the bytes of the NUL-terminated `text` that the mode
// of `modeChar` keeps, NUL-terminates it, and returns its length L.
// `filtered` must hold strlen(text) + 1 bytes. Numeric and alphanumeric mode
// keep their single-byte characters and drop every two-byte character whole,
// so that no second byte passes for a digit or a letter. Kanji mode keeps the
// two-byte characters of the Kanji ranges; mixed mode keeps every character
// (its segmentation carries the others as bytes). Never reads past the NUL: a
// lead byte that ends the text has no second byte and is dropped in every
// mode but 8-bit byte mode, which keeps every byte.
size_t FilterText(const char* text, char modeChar, char* filtered);

// One segment of a mixed-mode text: its data mode (kModeKanji or kModeByte),
// its first byte in the filtered text and its length in bytes.
struct TextSegment {
    DataMode mode;
    int32_t start;
    int32_t length;
};

// Cuts the mixed-mode segment that starts at `start` (< length) out of the
// filtered text: a maximal run of encodable Kanji characters, or a maximal run
// of everything else. A two-byte character outside the Kanji ranges is kept
// whole inside a byte run, so that a reader gets its two bytes back.
TextSegment NextMixedSegment(const char* filtered, int32_t length, int32_t start);
