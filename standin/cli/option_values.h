// Option values as people type them: names in any case, colours in hex, and
// the nearest of a set of names for a word that is none of them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Whether `a` and `b` are the same ASCII text but for the case of letters.
bool SameIgnoringCase(std::string_view a, std::string_view b);

// The index in `names` of the one that `value` spells in any case, or -1.
int MatchName(std::string_view value, const std::vector<std::string_view>& names);

// The name in `names` nearest to `word` (fewest single-character edits, or
// the only one that `word` begins), or empty when none is close enough to
// be what was meant.
std::string NearestName(std::string_view word, const std::vector<std::string_view>& names);

// A colour with its opacity, each 0 to 255.
struct RgbaColour {
    uint8_t red = 0, green = 0, blue = 0, alpha = 255;

    bool operator==(const RgbaColour&) const = default;
};

// Reads RRGGBB or RRGGBBAA in hex digits of any case, with or without a
// leading '#'.
bool ParseColour(std::string_view text, RgbaColour* colour);
