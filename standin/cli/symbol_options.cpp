#include "standin/cli/symbol_options.h"

#include <algorithm>
#include <cassert>
#include <climits>
#include <memory>
#include <string_view>

#include "qr/bit_stream.h"
#include "qr/data_codewords.h"
#include "qr/symbol_encoder.h"
#include "qr/text_filter.h"
#include "qr/version_tables.h"
#include "sjis/shift_jis.h"
#include "standin/cli/input_text.h"
#include "standin/cli/option_values.h"
#include "standin/cli/options.h"

const char kSymbolOptionsUsage[] =
    "  --level L|M|Q|H          error-correction level (default M)\n"
    "  --mode N|A|B|K|M|auto    numeric, alphanumeric, 8-bit byte, Kanji, mixed Kanji/byte\n"
    "                           (also by name: numeric, ..., mixed; default B), or auto:\n"
    "                           the most compact of them that keeps every character of\n"
    "                           the text unchanged. A mode that drops or changes\n"
    "                           characters says how many on standard error\n"
    "  --strict                 refuse a mode that drops or changes characters\n"
    "  --version 0-40           symbol version; 0 chooses the smallest that fits (default 0)\n";

namespace {

// Characters of a NUL-free code page 932 text, a lead byte and the byte after
// it counting as one.
size_t CharacterCount(const char* text) {
    size_t count = 0;
    for (const char* p = text; *p != '\0'; p += ShiftJisCharLength(p)) ++count;
    return count;
}

DataMode DataModeOf(char mode) {
    switch (mode) {
        case 'N':
            return kModeNumeric;
        case 'A':
            return kModeAlphanumeric;
        case 'K':
            return kModeKanji;
        default:
            return kModeByte;
    }
}

// Characters of `mode` that `bits` of data capacity hold in one segment at
// `version`.
long SegmentCapacity(char mode, int32_t bits, int32_t version) {
    const DataMode data = DataModeOf(mode);
    const int width = CountWidthBase(data) + CountWidthIncrements(data)[version];
    const long r = bits - 4 - width;
    if (r <= 0) return 0;
    long characters = 0;
    switch (data) {
        case kModeNumeric:
            characters = 3 * (r / 10) + (r % 10 >= 7 ? 2 : r % 10 >= 4 ? 1 : 0);
            break;
        case kModeAlphanumeric:
            characters = 2 * (r / 11) + (r % 11 >= 6 ? 1 : 0);
            break;
        case kModeByte:
            characters = r / 8;
            break;
        case kModeKanji:
            characters = r / 13;
            break;
    }
    const long countLimit = (1L << width) - 1;
    return characters < countLimit ? characters : countLimit;
}

// Bits of the data stream of `text` in `mode` at `version`, before the
// terminator; INT32_MAX for a mixed text of more segments than any symbol.
int32_t StreamBits(const std::string& text, char mode, int32_t version) {
    std::string filtered(text.size() + 1, '\0');
    const auto length = static_cast<int32_t>(FilterText(text.c_str(), mode, filtered.data()));
    const int32_t capacity = StreamItemCapacity(length);
    std::vector<int32_t> values(static_cast<size_t>(capacity));
    std::vector<uint8_t> widths(static_cast<size_t>(capacity) + 24);
    std::vector<int32_t> countItems(static_cast<size_t>(std::clamp(length, 1, kMaxSegments)));
    StreamItems items{values.data(), widths.data(), capacity, 0};
    SegmentList segments{countItems.data(), 0};
    int32_t bits = 0;
    if (BuildStreamItems(filtered.c_str(), length, mode, &items, &segments, &bits) != kQROk)
        return INT32_MAX;
    return bits + WidenCountItems(&items, &segments, version);
}

}  // namespace

std::vector<option> SymbolOptionTable() {
    return {
        {"level", required_argument, nullptr, kOptionLevel},
        {"mode", required_argument, nullptr, kOptionMode},
        {"version", required_argument, nullptr, kOptionVersion},
        {"strict", no_argument, nullptr, kOptionStrict},
    };
}

int TakeSymbolOption(int c, const char* arg, const char* command, SymbolOptions* o, FILE* err) {
    switch (c) {
        case kOptionLevel: {
            const int i = MatchName(arg, {"L", "M", "Q", "H"});
            if (i < 0) {
                PrintError(err, command, "--level takes L, M, Q or H, not '%s'", arg);
                return kExitUsage;
            }
            o->level = "LMQH"[i];
            return -1;
        }
        case kOptionMode: {
            const int i = MatchName(arg, {"N", "A", "B", "K", "M", "numeric", "alphanumeric",
                                          "byte", "kanji", "mixed", "auto"});
            if (i < 0) {
                PrintError(err, command, "--mode takes N, A, B, K, M or auto, not '%s'", arg);
                return kExitUsage;
            }
            o->mode = i == 10 ? kModeAuto : "NABKM"[i % 5];
            return -1;
        }
        case kOptionVersion:
            if (!ParseIntInRange(arg, 0, 40, &o->version)) {
                PrintError(err, command, "--version takes a number from 0 to 40, not '%s'", arg);
                return kExitUsage;
            }
            return -1;
        case kOptionStrict:
            o->strict = true;
            return -1;
        default:
            return -2;
    }
}

FilterLoss FilterLossOf(const std::string& text, char mode) {
    FilterLoss loss;
    loss.characters = CharacterCount(text.c_str());
    std::string filtered(text.size() + 1, '\0');
    const size_t length = FilterText(text.c_str(), mode, filtered.data());
    filtered.resize(length);
    loss.dropped = loss.characters - CharacterCount(filtered.c_str());
    if (mode == 'A')
        for (char c : filtered) loss.changed += c >= 'a' && c <= 'z' ? 1 : 0;
    return loss;
}

char ChooseCompactMode(const std::string& text, char level, int32_t version) {
    auto codewords = std::make_unique<DataCodewords>();
    char best = 'B';
    int32_t bestVersion = kMaxVersion + 1, bestBits = INT32_MAX;
    for (char mode : {'N', 'A', 'K', 'B', 'M'}) {
        const FilterLoss loss = FilterLossOf(text, mode);
        if (loss.dropped != 0 || loss.changed != 0) continue;
        if (BuildDataCodewords(text.c_str(), level, mode, version, codewords.get()) != kQROk)
            continue;
        const int32_t bits = StreamBits(text, mode, codewords->version);
        if (codewords->version < bestVersion ||
            (codewords->version == bestVersion && bits < bestBits)) {
            best = mode;
            bestVersion = codewords->version;
            bestBits = bits;
        }
    }
    return best;
}

bool ResolveMode(const SymbolOptions& o, const std::string& text, char* mode, std::string* note) {
    note->clear();
    *mode = o.mode == kModeAuto ? ChooseCompactMode(text, o.level, static_cast<int32_t>(o.version))
                                : o.mode;
    const FilterLoss loss = FilterLossOf(text, *mode);
    // A text the filter empties is not noted here: nothing is left of it,
    // which the caller reports as its failure.
    if ((loss.dropped == 0 && loss.changed == 0) || loss.dropped == loss.characters) return true;
    *note = std::string(ModeName(*mode)) + " mode";
    if (loss.dropped != 0)
        *note += " drops " + std::to_string(loss.dropped) + " of the text's " +
                 std::to_string(loss.characters) + " characters";
    if (loss.changed != 0)
        *note += std::string(loss.dropped != 0 ? " and" : "") + " gives " +
                 std::to_string(loss.changed) + " lower-case letters in upper case";
    return !o.strict;
}

const char* ModeName(char mode) {
    switch (mode) {
        case 'N':
            return "numeric";
        case 'A':
            return "alphanumeric";
        case 'B':
            return "8-bit byte";
        case 'K':
            return "Kanji";
        default:
            return "mixed Kanji/byte";
    }
}

std::string CapacityText(char mode, char level, int32_t version) {
    assert(version >= kMinVersion && version <= kMaxVersion);
    const int32_t bits = DataCapacityBits(LevelCodeFromChar(level), version);
    auto count = [&](char m, const char* unit) {
        return std::to_string(SegmentCapacity(m, bits, version)) + " " + unit;
    };
    switch (mode) {
        case 'N':
            return count('N', "digits") + " in numeric mode";
        case 'A':
            return count('A', "characters") + " in alphanumeric mode";
        case 'K':
            return count('K', "Kanji characters") + " in Kanji mode";
        case 'B':
            return count('B', "bytes") + " in 8-bit byte mode";
        default:
            return count('B', "bytes") + " or " + count('K', "Kanji characters") + " in mixed mode";
    }
}

std::string DoesNotFitText(char mode, char level, int32_t version) {
    const std::string field =
        " (the plug-in's text field holds " + std::to_string(kMaxPluginTextBytes) + " bytes)";
    if (version == 0)
        return std::string("the text does not fit any version up to 40 at level ") + level +
               "; version 40 holds " + CapacityText(mode, level, kMaxVersion) + field;
    return "the text does not fit version " + std::to_string(version) + " at level " + level +
           ", which holds " + CapacityText(mode, level, version) + field;
}
