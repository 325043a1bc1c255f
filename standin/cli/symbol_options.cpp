#include "standin/cli/symbol_options.h"

#include <algorithm>
#include <cassert>
#include <climits>
#include <memory>
#include <string_view>

#include "qr/symbol_encoder.h"
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

// A plan with its counts cleared and its segments left unwritten: the engine
// writes the segments it counts, and clearing all of them would touch 16 KB
// that no caller reads.
std::unique_ptr<QRSymbolPlan> EmptyPlan() {
    auto plan = std::make_unique_for_overwrite<QRSymbolPlan>();
    plan->characters = plan->dropped = plan->changed = plan->keptBytes = 0;
    plan->version = plan->capacityBits = plan->streamBits = plan->segmentCount = 0;
    return plan;
}

// The engine's plan of `text` in `mode` at `level` and `version`, and its
// result.
struct Plan {
    std::unique_ptr<QRSymbolPlan> plan = EmptyPlan();
    int32_t rc = kQRBadArgument;
};

Plan PlanOf(const std::string& text, char mode, char level, int32_t version) {
    Plan p;
    p.rc = PlanQRSymbol(text.c_str(), level, mode, version, p.plan.get());
    return p;
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
    const Plan p = PlanOf(text, mode, 'M', 0);
    FilterLoss loss;
    loss.characters = static_cast<size_t>(p.plan->characters);
    loss.dropped = static_cast<size_t>(p.plan->dropped);
    loss.changed = static_cast<size_t>(p.plan->changed);
    return loss;
}

char ChooseCompactMode(const std::string& text, char level, int32_t version) {
    char best = 'B';
    int32_t bestVersion = kQRMaxVersion + 1, bestBits = INT32_MAX;
    for (char mode : {'N', 'A', 'K', 'B', 'M'}) {
        const Plan p = PlanOf(text, mode, level, version);
        const QRSymbolPlan& plan = *p.plan;
        if (p.rc != kQROk || plan.dropped != 0 || plan.changed != 0) continue;
        if (plan.version < bestVersion ||
            (plan.version == bestVersion && plan.streamBits < bestBits)) {
            best = mode;
            bestVersion = plan.version;
            bestBits = plan.streamBits;
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
                 std::to_string(loss.changed) +
                 (loss.changed == 1 ? " lower-case letter" : " lower-case letters") +
                 " in upper case";
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
    assert(version >= kQRMinVersion && version <= kQRMaxVersion);
    auto count = [&](char m, const char* unit) {
        return std::to_string(QRModeCapacity(level, m, version).characters) + " " + unit;
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
               "; version 40 holds " + CapacityText(mode, level, kQRMaxVersion) + field;
    return "the text does not fit version " + std::to_string(version) + " at level " + level +
           ", which holds " + CapacityText(mode, level, version) + field;
}
