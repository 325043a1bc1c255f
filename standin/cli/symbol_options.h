// The symbol settings that the commands which encode or place symbols share
// (`orvelk encode`, `batch`, `place`): --level, --mode (with auto), --version
// and --strict, read in any case; what a mode's filter does to a text; the
// most compact mode that keeps it whole; and the capacity texts of messages.
#pragma once

#include <getopt.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Option values of the settings.
inline constexpr int kOptionLevel = 0x220;
inline constexpr int kOptionMode = 0x221;
inline constexpr int kOptionVersion = 0x222;
inline constexpr int kOptionStrict = 0x223;

// --mode auto: chosen for each text by ChooseCompactMode.
inline constexpr char kModeAuto = '*';

struct SymbolOptions {
    char level = 'M';  // L, M, Q or H
    char mode = 'B';   // N, A, B, K, M, or kModeAuto
    long version = 0;  // 0 automatic, else 1 to 40
    bool strict = false;
};

// The table entries of the settings, and their lines of --help.
std::vector<option> SymbolOptionTable();
extern const char kSymbolOptionsUsage[];

// Takes option `c` with argument `arg` when it is one of the settings: -2 when
// it is not, -1 when taken, else kExitUsage with a message on `err`.
int TakeSymbolOption(int c, const char* arg, const char* command, SymbolOptions* o, FILE* err);

// What the filter of `mode` (N, A, B, K or M) does to the code page 932
// `text`: the characters it drops, and the letters it keeps but a reader gets
// in upper case (alphanumeric mode).
struct FilterLoss {
    size_t characters = 0;  // characters of the text
    size_t dropped = 0;
    size_t changed = 0;
};
FilterLoss FilterLossOf(const std::string& text, char mode);

// The mode of N, A, K, B, M that keeps every byte of `text` unchanged and
// gives the smallest symbol at `level` and `version` (0 automatic), then the
// shortest data stream; the first of them in that order on a tie (so byte
// rather than mixed mode for a text without Kanji). B when it fits none.
char ChooseCompactMode(const std::string& text, char level, int32_t version);

// The mode the settings give for `text`, and, when that mode drops or changes
// characters, a note saying how many in *note (else it is emptied). With
// --strict such a mode is refused: returns false. A text the mode empties
// entirely gets no note: the caller fails it as leaving nothing to encode.
bool ResolveMode(const SymbolOptions& o, const std::string& text, char* mode, std::string* note);

// "8-bit byte" for 'B', and so on.
const char* ModeName(char mode);

// What `version` at `level` holds in `mode`: "7 bytes in 8-bit byte mode".
std::string CapacityText(char mode, char level, int32_t version);

// Why a text does not fit, with what the version holds and what the
// plug-in's text field holds: "the text does not fit version 1 at level H,
// which holds 7 bytes in 8-bit byte mode (...)".
std::string DoesNotFitText(char mode, char level, int32_t version);
