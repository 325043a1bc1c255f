#include "standin/cli/option_values.h"

#include <algorithm>
#include <cassert>

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Single-character insertions, deletions and substitutions from `a` to `b`,
// with the case of letters ignored.
size_t EditDistance(std::string_view a, std::string_view b) {
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t above = row[j];
            const size_t change = diagonal + (Lower(a[i - 1]) == Lower(b[j - 1]) ? 0 : 1);
            row[j] = std::min({above + 1, row[j - 1] + 1, change});
            diagonal = above;
        }
    }
    return row[b.size()];
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = Lower(c);
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

int MatchName(std::string_view value, const std::vector<std::string_view>& names) {
    for (size_t i = 0; i < names.size(); ++i)
        if (SameIgnoringCase(value, names[i])) return static_cast<int>(i);
    return -1;
}

std::string NearestName(std::string_view word, const std::vector<std::string_view>& names) {
    if (word.empty()) return {};
    // A word that begins exactly one name means that name ("--ver" for
    // "--version" when nothing else begins so).
    std::string_view begun;
    int begins = 0;
    for (std::string_view name : names)
        if (name.size() > word.size() && SameIgnoringCase(name.substr(0, word.size()), word)) {
            begun = name;
            ++begins;
        }
    if (begins == 1) return std::string(begun);
    // Else the name within a third of the word's length of edits, at least 2.
    const size_t reach = std::max<size_t>(2, word.size() / 3);
    std::string_view best;
    size_t bestDistance = reach + 1;
    for (std::string_view name : names) {
        const size_t d = EditDistance(word, name);
        if (d < bestDistance) {
            best = name;
            bestDistance = d;
        }
    }
    return std::string(best);
}

bool ParseColour(std::string_view text, RgbaColour* colour) {
    if (text.starts_with('#')) text.remove_prefix(1);
    if (text.size() != 6 && text.size() != 8) return false;
    uint8_t channels[4] = {0, 0, 0, 255};
    for (size_t i = 0; i < text.size(); i += 2) {
        const int high = HexDigit(text[i]), low = HexDigit(text[i + 1]);
        if (high < 0 || low < 0) return false;
        channels[i / 2] = static_cast<uint8_t>(high * 16 + low);
    }
    *colour = RgbaColour{channels[0], channels[1], channels[2], channels[3]};
    assert(text.size() == 8 || colour->alpha == 255);
    return true;
}
