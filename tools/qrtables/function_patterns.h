// The function patterns of QR Code symbols: finder, separator, timing and
// alignment patterns, the dark module, the format and version information
// areas, and the function-pattern template of the table file.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace qrtables {

inline constexpr int kMinVersion = 1;
inline constexpr int kMaxVersion = 40;

// A module of the symbol: column 0 at the left edge, row 0 at the top edge.
struct Module {
    int column;
    int row;
    bool operator==(const Module&) const = default;
};

// Modules per side of `version`: 4 x version + 17 (ISO/IEC 18004 clause 6.3.1).
int SymbolSide(int version);

// Row and column coordinates of the alignment pattern centres of `version`,
// ascending; empty for version 1 (clause 6.3.6, Annex E).
std::vector<int> AlignmentCentres(int version);

// The 18-bit version information of `version` (7 to 40): the version number
// in the top six bits and the BCH (18, 6) check bits below (clause 7.10,
// Annex D). Bit 17 is the most significant.
uint32_t VersionInformation(int version);

// The module of bit `bit` (0 = least significant) of the version information
// in copy 0 (above the upper right finder, 6 rows of 3 modules) or copy 1
// (left of the lower left finder, 3 rows of 6 modules) (clause 7.10).
Module VersionInformationModule(int side, int copy, int bit);

// The modules of the first format information copy, around the upper left
// finder: character x of a 15-character format string, the most significant
// bit first (clause 7.9.1).
std::array<Module, 15> FormatFirstCopy();

// The modules of the second copy, below the upper right and to the right of
// the lower left finder (clause 7.9.1): characters 0 to 6 up column 8 from
// the bottom row, characters 7 to 14 along row 8 to the right edge.
std::array<Module, 15> FormatSecondCopy(int side);

// Which modules of a symbol belong to function patterns (clauses 6.3.3 to
// 6.3.6), to the format or version information areas (clauses 7.9, 7.10), or
// are the dark module; and which of them the template draws dark.
struct FunctionMap {
    int side = 0;
    std::vector<uint8_t> reserved;  // side x side, row by row: 1 = not for codewords
    std::vector<uint8_t> dark;      // side x side, row by row: 1 = dark in the template

    bool IsReserved(int column, int row) const { return reserved[row * side + column] != 0; }
    bool IsDark(int column, int row) const { return dark[row * side + column] != 0; }
};

// The function map of `version` (1 to 40). The format areas are reserved but
// never dark here: their contents depend on level and mask.
FunctionMap BuildFunctionMap(int version);

// The function-pattern template of `version`: side rows, top row first, each
// of side characters '1' (dark function module) or '0' (anything else), left
// column first, followed by one '\n'.
std::vector<uint8_t> FunctionPatternTemplate(int version);

}  // namespace qrtables
