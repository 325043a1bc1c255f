#include "prefs/preferences_file.h"

#include <cassert>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "globals/plugin_state.h"
#include "platform/win_files.h"
#include "prefs/app_folder.h"
#include "sjis/shift_jis.h"

namespace {

static_assert(kPrefsPathSize == MAX_PATH);

constexpr unsigned char kTab = 0x09;
constexpr unsigned char kLineFeed = 0x0A;
constexpr unsigned char kCarriageReturn = 0x0D;
constexpr unsigned char kBackslash = 0x5C;
constexpr unsigned char kQuote = '"';

constexpr char kLevelKey[] = "qr_ecclevel";
constexpr char kVersionKey[] = "qr_version";
constexpr char kModeKey[] = "qr_encodemode";
constexpr char kModuleSizeKey[] = "qr_cellsize";
constexpr char kTextKeyPrefix[] = "barcode_text";
constexpr size_t kTextKeyPrefixLength = sizeof kTextKeyPrefix - 1;

// Bytes of a line that are kept, not counting kept TABs; the rest of a longer
// line is read and dropped.
constexpr int32_t kKeptLimit = 256;
// A run of TABs means no more than two of them do (a quote, a TAB and a quote
// is a written quote; a quote and two TABs are not), so at most two of a run
// are kept.
constexpr int32_t kKeptTabRun = 2;
// Room for the kept bytes with the TABs among them: a run of kept TABs before
// each counted byte.
constexpr int32_t kKeptBufferSize = (kKeptTabRun + 1) * kKeptLimit;
// Fields of a line: key, value, and three more that no key uses.
constexpr int32_t kFieldCount = 5;

// Room for one written chunk (at most 79 bytes and a 3-byte sequence) and
// for one chunk line.
constexpr int32_t kChunkBufferSize = kPrefsChunkLength + 4;
constexpr int32_t kLineBufferSize = 128;

// The length of the string at `text`, at most `size`.
size_t BoundedLength(const char* text, size_t size) {
    const void* nul = std::memchr(text, '\0', size);
    return nul == nullptr ? size : static_cast<size_t>(static_cast<const char*>(nul) - text);
}

// Builds `folder` followed by `suffix` into `path` (kPrefsPathSize bytes).
// False, with `path` empty, when it does not fit.
bool BuildPath(const char* folder, const char* suffix, char* path) {
    const size_t folderLength = std::strlen(folder);
    const size_t suffixLength = std::strlen(suffix);
    path[0] = '\0';
    if (folderLength + suffixLength >= static_cast<size_t>(kPrefsPathSize)) return false;
    std::memcpy(path, folder, folderLength);
    std::memcpy(path + folderLength, suffix, suffixLength + 1);
    return true;
}

// The preferences folder and file.
struct PrefsPaths {
    char folder[kPrefsPathSize];
    char file[kPrefsPathSize];
};

// Builds the paths under the application's folder and creates the
// preferences folder (an existing one or a failure is ignored). False when
// the application's folder cannot be found or a name does not fit.
bool PreparePrefsPaths(PrefsPaths* paths) {
    char appFolder[kAppFolderSize];
    if (FindAppFolder(appFolder) != 0) return false;
    if (!BuildPath(appFolder, kPrefsFolderSuffix, paths->folder) ||
        !BuildPath(appFolder, kPrefsFileSuffix, paths->file)) {
        return false;
    }
    CreateDirectoryA(paths->folder, nullptr);
    return true;
}

// Names tried for the new file before a save gives up.
constexpr int kTempNameTries = 64;

// Creates the new file of a save under a name of this process's own,
// "Orvelk.<process>-<n>.tmp" in the preferences folder, new and for this
// save alone: a name that is taken, by a file, a folder or a link, is never
// opened but passed over. The name goes to `tempFile` (kPrefsPathSize
// bytes). INVALID_HANDLE_VALUE when none can be created.
HANDLE CreateTempFile(const PrefsPaths& paths, char* tempFile) {
    // Each save of this process starts further on, so that a name an
    // earlier save could not remove is not tried again and again.
    static DWORD nextNumber = 0;
    const DWORD process = GetCurrentProcessId();
    for (int attempt = 0; attempt < kTempNameTries; ++attempt) {
        char suffix[40];
        std::snprintf(suffix, sizeof suffix, "%s%lX-%lu%s", kPrefsTempFilePrefix,
                      static_cast<unsigned long>(process),
                      static_cast<unsigned long>(nextNumber++), kPrefsTempFileExtension);
        if (!BuildPath(paths.folder, suffix, tempFile)) return INVALID_HANDLE_VALUE;
        const HANDLE file = CreateFileA(tempFile, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) return file;
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
    }
    tempFile[0] = '\0';
    return INVALID_HANDLE_VALUE;
}

// ---- Reading ----

// One line split into its key and value. A value may hold TABs: those the
// text chunks carry inside quotes; a double quote in it is a written quote.
struct PrefsLine {
    char key[kKeptLimit + 1];
    char value[kKeptBufferSize + 1];
    int32_t valueLength;
};

// Keeps the bytes of one line (without its LF) that count: CR is dropped; a
// space outside quotes is dropped; a double quote switches the quoted state;
// TABs are kept for the split, which drops those that carry nothing, up to
// kKeptTabRun of a run. At most kKeptLimit bytes besides TABs, however many
// TABs stand among them. Returns the number of bytes kept.
int32_t KeepLineBytes(const unsigned char* line, size_t length, unsigned char* kept) {
    int32_t count = 0;    // bytes kept, TABs included
    int32_t counted = 0;  // bytes kept, TABs not included
    int32_t tabRun = 0;   // TABs kept since the last counted byte
    bool quoted = false;
    for (size_t i = 0; i < length && counted < kKeptLimit; ++i) {
        const unsigned char c = line[i];
        if (c == kCarriageReturn) continue;
        if (c == kTab) {
            if (tabRun < kKeptTabRun) {
                kept[count++] = c;
                ++tabRun;
            }
            continue;
        }
        if (c == kQuote) quoted = !quoted;
        if (c == ' ' && !quoted) continue;
        kept[count++] = c;
        ++counted;
        tabRun = 0;
    }
    assert(count <= kKeptBufferSize);
    return count;
}

// Splits kept bytes into the key and the value: a double quote switches the
// quoted state and is dropped; outside quotes an equals sign or a comma ends
// the field. Inside quotes, a quote, a TAB and a quote stand for one written
// quote, and a TAB stays in the value; other TABs are dropped.
void SplitFields(const unsigned char* kept, int32_t count, PrefsLine* line) {
    int32_t field = 0;
    int32_t keyLength = 0;
    int32_t valueLength = 0;
    bool quoted = false;
    for (int32_t i = 0; i < count; ++i) {
        const unsigned char c = kept[i];
        if (quoted && c == kQuote && i + 2 < count && kept[i + 1] == kTab &&
            kept[i + 2] == kQuote) {
            if (field == 1) line->value[valueLength++] = static_cast<char>(kQuote);
            i += 2;
            continue;
        }
        if (c == kQuote) {
            quoted = !quoted;
            continue;
        }
        if (!quoted && (c == '=' || c == ',')) {
            ++field;
            if (field >= kFieldCount) break;  // further fields are ignored
            continue;
        }
        if (c == kTab && !(quoted && field == 1)) continue;
        if (field == 0) {
            line->key[keyLength++] = static_cast<char>(c);
        } else if (field == 1) {
            line->value[valueLength++] = static_cast<char>(c);
        }
        // Fields 2 to 4 are used by no key.
    }
    assert(keyLength <= kKeptLimit && valueLength <= kKeptBufferSize);
    line->key[keyLength] = '\0';
    line->value[valueLength] = '\0';
    line->valueLength = valueLength;
}

// Whether the value holds anything but TABs.
bool HasValue(const PrefsLine& line) {
    for (int32_t i = 0; i < line.valueLength; ++i) {
        if (static_cast<unsigned char>(line.value[i]) != kTab) return true;
    }
    return false;
}

// The value's leading decimal integer: an optional sign and the digits up to
// the first other byte (TABs skipped); 0 without digits. Saturates far beyond
// every setting's range.
int64_t LeadingInteger(const char* value) {
    constexpr int64_t kSaturation = 1'000'000'000'000;
    const char* p = value;
    auto skipTabs = [&p] {
        while (static_cast<unsigned char>(*p) == kTab) ++p;
    };
    skipTabs();
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    int64_t number = 0;
    for (skipTabs(); *p >= '0' && *p <= '9'; skipTabs()) {
        if (number < kSaturation) number = number * 10 + (*p - '0');
        ++p;
    }
    return negative ? -number : number;
}

// Stores the value's integer into `setting` when it lies in [0, max]; a value
// outside keeps what the setting holds.
void StoreSetting(const char* value, int32_t max, int32_t* setting) {
    const int64_t number = LeadingInteger(value);
    if (number >= 0 && number <= max) *setting = static_cast<int32_t>(number);
}

// How the written text is turned back into its bytes, carried from one chunk
// to the next: a lead byte waits for its second byte, a backslash for the
// letter of its sequence.
enum class Pending : int8_t { kNone, kLeadByte, kBackslash };

struct TextDecoder {
    Pending pending;
    unsigned char leadByte;
};

// Turns one written byte back into text bytes appended at out[*length].
void DecodeByte(TextDecoder* decoder, unsigned char c, char* out, int32_t* length) {
    switch (decoder->pending) {
        case Pending::kLeadByte:
            decoder->pending = Pending::kNone;
            out[(*length)++] = static_cast<char>(decoder->leadByte);
            // A TAB after a lead byte only ends its character.
            if (c != kTab) out[(*length)++] = static_cast<char>(c);
            return;
        case Pending::kBackslash:
            decoder->pending = Pending::kNone;
            if (c == 't' || c == 'r' || c == 'n') {
                out[(*length)++] = static_cast<char>(c == 't'   ? kTab
                                                     : c == 'r' ? kCarriageReturn
                                                                : kLineFeed);
                return;
            }
            out[(*length)++] = static_cast<char>(kBackslash);
            if (c == kTab) return;  // a backslash of the text itself
            break;                  // a backslash before any other byte stays
        case Pending::kNone:
            break;
    }
    if (c == kTab) return;
    if (IsKanjiLeadByte(c)) {
        decoder->pending = Pending::kLeadByte;
        decoder->leadByte = c;
    } else if (c == kBackslash) {
        decoder->pending = Pending::kBackslash;
    } else {
        out[(*length)++] = static_cast<char>(c);
    }
}

// The bytes a decoder still holds back.
int32_t PendingLength(const TextDecoder& decoder) {
    return decoder.pending == Pending::kNone ? 0 : 1;
}

// The text as the chunks of one load build it.
struct TextLoad {
    bool started;  // a chunk was taken, so the text was emptied
    bool full;     // a chunk reached the field's end: later chunks are dropped
    int32_t length;
    TextDecoder decoder;
};

// Appends the chunk `value` to the text as far as the text, with what the
// decoder holds back, fits the text field (kMaxGlobalsTextLength bytes, the
// most the dialog lets the user type and save). A chunk that reaches past
// the field's end is cut there, before the character that does not fit, and
// the text ends with it: what later chunks hold is not spliced onto it.
void AppendTextChunk(const PrefsLine& line, TextLoad* load, PluginGlobals* globals) {
    if (load->full) return;
    char decoded[kKeptBufferSize + 2];
    int32_t decodedLength = 0;
    TextDecoder decoder = load->decoder;
    const int32_t base = load->started ? load->length : 0;
    for (int32_t i = 0; i < line.valueLength; ++i) {
        const int32_t lengthBefore = decodedLength;
        const TextDecoder decoderBefore = decoder;
        DecodeByte(&decoder, static_cast<unsigned char>(line.value[i]), decoded, &decodedLength);
        if (base + decodedLength + PendingLength(decoder) > kMaxGlobalsTextLength) {
            decodedLength = lengthBefore;
            decoder = decoderBefore;
            // Half a character or a backslash whose sequence is cut off is
            // not a byte of the text; a backslash before a byte that makes
            // no sequence with it is one of its own, and kept when it fits.
            const unsigned char c = static_cast<unsigned char>(line.value[i]);
            if (decoder.pending == Pending::kBackslash && c != 't' && c != 'r' && c != 'n' &&
                base + decodedLength + 1 <= kMaxGlobalsTextLength)
                decoded[decodedLength++] = static_cast<char>(kBackslash);
            decoder.pending = Pending::kNone;
            load->full = true;
            break;
        }
    }
    std::memcpy(globals->text + base, decoded, static_cast<size_t>(decodedLength));
    load->started = true;
    load->length = base + decodedLength;
    load->decoder = decoder;
    globals->text[load->length] = '\0';
}

// Ends the text: what the decoder holds back is written as it stands.
void FinishText(TextLoad* load, PluginGlobals* globals) {
    if (!load->started) return;
    const TextDecoder& decoder = load->decoder;
    if (decoder.pending == Pending::kLeadByte) {
        globals->text[load->length++] = static_cast<char>(decoder.leadByte);
    } else if (decoder.pending == Pending::kBackslash) {
        globals->text[load->length++] = static_cast<char>(kBackslash);
    }
    assert(load->length <= kMaxGlobalsTextLength);
    globals->text[load->length] = '\0';
}

// Acts on one line of the file.
void ApplyLine(const unsigned char* bytes, size_t length, TextLoad* load, PluginGlobals* globals) {
    unsigned char kept[kKeptBufferSize];
    const int32_t count = KeepLineBytes(bytes, length, kept);
    int32_t first = 0;  // the first kept byte that is not a TAB
    while (first < count && kept[first] == kTab) ++first;
    if (first == count || kept[first] == '\'') return;  // empty, or a comment

    PrefsLine line;
    SplitFields(kept, count, &line);
    if (line.key[0] == '\0' || !HasValue(line)) return;

    if (std::strcmp(line.key, kLevelKey) == 0) {
        StoreSetting(line.value, kLevelIndexCount - 1, &globals->level);
    } else if (std::strcmp(line.key, kVersionKey) == 0) {
        StoreSetting(line.value, kVersionSettingMax, &globals->version);
    } else if (std::strcmp(line.key, kModeKey) == 0) {
        StoreSetting(line.value, kModeIndexCount - 1, &globals->mode);
    } else if (std::strcmp(line.key, kModuleSizeKey) == 0) {
        StoreSetting(line.value, kModuleSizeIndexCount - 1, &globals->moduleSize);
    } else if (std::strncmp(line.key, kTextKeyPrefix, kTextKeyPrefixLength) == 0) {
        AppendTextChunk(line, load, globals);
    }
}

// ---- Writing ----

// Writes all `length` bytes; false on any failure.
bool WriteAll(HANDLE file, const char* bytes, size_t length) {
    if (length == 0) return true;
    DWORD written = 0;
    return WriteFile(file, bytes, static_cast<DWORD>(length), &written, nullptr) &&
           written == length;
}

// Formats one line into `line` and writes it.
bool WriteNumberLine(HANDLE file, const char* key, int32_t value) {
    char line[kLineBufferSize];
    const int written =
        std::snprintf(line, sizeof line, "%s = %d\r\n", key, static_cast<int>(value));
    if (written < 0 || written >= static_cast<int>(sizeof line)) return false;
    return WriteAll(file, line, static_cast<size_t>(written));
}

// Appends the written form of the text byte at text[*index] to `chunk` and
// moves on. `afterLead` says that the byte is the second of a two-byte
// character, and is set for the next byte.
void EncodeTextByte(const unsigned char* text, int32_t textLength, int32_t* index, bool* afterLead,
                    char* chunk, int32_t* chunkLength) {
    auto put = [chunk, chunkLength](unsigned char c) {
        chunk[(*chunkLength)++] = static_cast<char>(c);
    };
    auto putQuote = [&put] {
        put(kQuote);  // closes the quotes around a TAB, which older readers drop
        put(kTab);
        put(kQuote);
    };
    const unsigned char c = text[*index];
    ++*index;
    if (*afterLead) {
        *afterLead = false;
        if (c == kQuote) {
            putQuote();
        } else {
            put(c);  // a second byte 0x5C stays as it is
        }
        return;
    }
    if (IsKanjiLeadByte(c)) {
        const unsigned char next = *index < textLength ? text[*index] : 0;
        put(c);
        if (next == kTab || next == kCarriageReturn || next == kLineFeed) {
            put(kTab);  // the character ends here: its escape is no second byte
        } else if (next != 0) {
            *afterLead = true;
        }
        return;
    }
    switch (c) {
        case kTab:
            put(kBackslash), put('t');
            return;
        case kCarriageReturn:
            put(kBackslash), put('r');
            return;
        case kLineFeed:
            put(kBackslash), put('n');
            return;
        case kBackslash:
            put(kBackslash), put(kTab);
            return;
        case kQuote:
            putQuote();
            return;
        default:
            put(c);
            return;
    }
}

// Writes the text in chunk lines barcode_text00, 01, ...; an empty text
// writes none.
bool WriteTextChunks(HANDLE file, const PluginGlobals* globals) {
    const auto* text = reinterpret_cast<const unsigned char*>(globals->text);
    const auto textLength =
        static_cast<int32_t>(BoundedLength(globals->text, sizeof globals->text));
    int32_t index = 0;
    bool afterLead = false;
    for (int32_t chunkNumber = 0; index < textLength; ++chunkNumber) {
        char chunk[kChunkBufferSize];
        int32_t chunkLength = 0;
        while (index < textLength && chunkLength < kPrefsChunkLength) {
            EncodeTextByte(text, textLength, &index, &afterLead, chunk, &chunkLength);
        }
        assert(chunkLength < kChunkBufferSize);
        chunk[chunkLength] = '\0';
        char line[kLineBufferSize];
        const int written = std::snprintf(line, sizeof line, "%s%2.2d = \"%s\"\r\n", kTextKeyPrefix,
                                          static_cast<int>(chunkNumber), chunk);
        if (written < 0 || written >= static_cast<int>(sizeof line)) return false;
        if (!WriteAll(file, line, static_cast<size_t>(written))) return false;
    }
    return true;
}

// Writes the whole file.
bool WritePreferences(HANDLE file, const PluginGlobals* globals) {
    return WriteNumberLine(file, kLevelKey, globals->level) &&
           WriteNumberLine(file, kVersionKey, globals->version) &&
           WriteNumberLine(file, kModeKey, globals->mode) &&
           WriteNumberLine(file, kModuleSizeKey, globals->moduleSize) &&
           WriteTextChunks(file, globals);
}

// The longest file a save writes: four number lines of any int32_t, and the
// chunk lines of a full text whose every byte takes three written bytes (a
// double quote); a chunk closes at 80 written bytes, so it holds at least 27
// text bytes, and its line adds the key with a number of up to three digits,
// " = ", the quotes and CR LF.
constexpr int32_t kLongestNumberLine = 13 + 3 + 11 + 2;  // "qr_encodemode = -2147483648\r\n"
constexpr int32_t kMostChunks = (kMaxGlobalsTextLength + 26) / 27;
constexpr int32_t kLongestSave = 4 * kLongestNumberLine + 3 * kMaxGlobalsTextLength +
                                 kMostChunks * (static_cast<int32_t>(kTextKeyPrefixLength) + 3 + 7);
static_assert(kMostChunks <= 999 && kLongestSave < kPrefsReadLimit / 2,
              "the read limit leaves a margin over the longest file a save writes");

}  // namespace

void ApplyPreferencesData(const char* data, size_t size, PluginGlobals* globals) {
    assert(data != nullptr && globals != nullptr);
    const auto* bytes = reinterpret_cast<const unsigned char*>(data);
    const size_t end = BoundedLength(data, size);
    TextLoad load = {false, false, 0, {Pending::kNone, 0}};
    size_t start = 0;
    while (start < end) {
        size_t stop = start;
        while (stop < end && bytes[stop] != kLineFeed) ++stop;
        ApplyLine(bytes + start, stop - start, &load, globals);
        start = stop + 1;  // past the LF
    }
    FinishText(&load, globals);
}

int32_t LoadPreferences() {
    PluginGlobals* globals = gPluginState.globals;
    if (globals == nullptr) return -1;
    PrefsPaths paths;
    if (!PreparePrefsPaths(&paths)) return -1;

    const HFILE file = _lopen(paths.file, OF_READ);
    if (file == HFILE_ERROR) return -1;
    // A file longer than any save writes is not the plug-in's own: its first
    // kPrefsReadLimit bytes are read, up to their last whole line, and the
    // rest is ignored (the plug-in keeps no log to note it in). One byte more
    // than the limit tells such a file, whatever its size; no seek is needed,
    // so a file too large for _llseek's LONG reads the same way.
    constexpr UINT kAsked = kPrefsReadLimit + 1;
    auto* data = static_cast<char*>(std::calloc(kAsked + 1, 1));
    if (data == nullptr) {
        _lclose(file);
        return -1;
    }
    const UINT read = _lread(file, data, kAsked);
    _lclose(file);
    if (read == static_cast<UINT>(HFILE_ERROR)) {
        std::free(data);
        return -1;
    }
    const bool cut = read > static_cast<UINT>(kPrefsReadLimit);
    size_t length = cut ? static_cast<size_t>(kPrefsReadLimit) : read;
    if (cut) {
        while (length > 0 && data[length - 1] != '\n') --length;
    }
    data[length] = '\0';
    ApplyPreferencesData(data, length, globals);
    std::free(data);
    return 0;
}

int32_t SavePreferences() {
    const PluginGlobals* globals = gPluginState.globals;
    if (globals == nullptr) return -1;
    PrefsPaths paths;
    if (!PreparePrefsPaths(&paths)) return -1;

    char tempFile[kPrefsPathSize];
    const HANDLE file = CreateTempFile(paths, tempFile);
    if (file == INVALID_HANDLE_VALUE) return -1;
    const bool written = WritePreferences(file, globals);
    const BOOL closed = CloseHandle(file);
    // Concurrent saves each write a file of their own; each rename puts one
    // whole file in place, and the last one stays.
    if (!written || !closed || !MoveFileExA(tempFile, paths.file, MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileA(tempFile);  // the old file stays as it was
        return -1;
    }
    return 0;
}
