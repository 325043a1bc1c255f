#include "standin/cli/encode_command.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "qr/data_codewords.h"
#include "qr/symbol_encoder.h"
#include "standin/cli/options.h"
#include "standin/text/cp932.h"

namespace {

constexpr char kCommand[] = "encode";

// The plug-in's text field holds at most this many bytes.
constexpr size_t kMaxTextBytes = 8192;

constexpr char kUsage[] =
    "Usage: orvelk encode (--text TEXT | --text-file FILE) [OPTIONS]\n"
    "\n"
    "Encodes a text with the plug-in's QR symbol engine and prints the result.\n"
    "\n"
    "Options:\n"
    "  --text TEXT              the text to encode\n"
    "  --text-file FILE         read the text from FILE (raw bytes; a NUL byte ends it)\n"
    "  --input-encoding ENC     utf-8 (default; converted to code page 932) or cp932\n"
    "                           (the bytes pass unchanged, as the plug-in receives them)\n"
    "  --level L|M|Q|H          error-correction level (default M)\n"
    "  --mode N|A|B|K|M         numeric, alphanumeric, 8-bit byte, Kanji or mixed\n"
    "                           Kanji/byte (default B)\n"
    "  --version 0-40           symbol version; 0 chooses the smallest that fits (default 0)\n"
    "  --format codewords       'version V', then 'data: ' and the data codewords in hex\n"
    "  -h, --help               show this help and exit\n"
    "\n"
    "Exit status: 0 on success (also when the mode's filter keeps nothing, with a note),\n"
    "1 when the text does not fit, 2 on bad usage or a text that cannot be converted.\n";

enum class InputEncoding { kUtf8, kCp932 };

struct EncodeOptions {
    const char* text = nullptr;
    const char* textFile = nullptr;
    InputEncoding encoding = InputEncoding::kUtf8;
    char level = 'M';
    char mode = 'B';
    long version = 0;
};

// Parses the arguments into `o`. Returns -1 to go on, else the exit status.
int ParseOptions(int argc, char** argv, EncodeOptions* o, FILE* out, FILE* err) {
    enum { kText = 256, kTextFile, kInputEncoding, kLevel, kMode, kVersion, kFormat };
    static const option kLongOptions[] = {
        {"text", required_argument, nullptr, kText},
        {"text-file", required_argument, nullptr, kTextFile},
        {"input-encoding", required_argument, nullptr, kInputEncoding},
        {"level", required_argument, nullptr, kLevel},
        {"mode", required_argument, nullptr, kMode},
        {"version", required_argument, nullptr, kVersion},
        {"format", required_argument, nullptr, kFormat},
        {"help", no_argument, nullptr, 'h'},
        {nullptr, 0, nullptr, 0},
    };
    ResetOptionScan();
    int c;
    while ((c = getopt_long(argc, argv, "h", kLongOptions, nullptr)) != -1) {
        switch (c) {
            case 'h': std::fputs(kUsage, out); return kExitOk;
            case kText: o->text = optarg; break;
            case kTextFile: o->textFile = optarg; break;
            case kInputEncoding:
                if (std::strcmp(optarg, "utf-8") == 0 || std::strcmp(optarg, "utf8") == 0) {
                    o->encoding = InputEncoding::kUtf8;
                } else if (std::strcmp(optarg, "cp932") == 0) {
                    o->encoding = InputEncoding::kCp932;
                } else {
                    PrintError(err, kCommand, "--input-encoding takes utf-8 or cp932, not '%s'", optarg);
                    return kExitUsage;
                }
                break;
            case kLevel:
                if (std::strlen(optarg) != 1 || std::strchr("LMQH", optarg[0]) == nullptr) {
                    PrintError(err, kCommand, "--level takes L, M, Q or H, not '%s'", optarg);
                    return kExitUsage;
                }
                o->level = optarg[0];
                break;
            case kMode:
                if (std::strlen(optarg) != 1 || std::strchr("NABKM", optarg[0]) == nullptr) {
                    PrintError(err, kCommand, "--mode takes N, A, B, K or M, not '%s'", optarg);
                    return kExitUsage;
                }
                o->mode = optarg[0];
                break;
            case kVersion:
                if (!ParseIntInRange(optarg, 0, 40, &o->version)) {
                    PrintError(err, kCommand, "--version takes a number from 0 to 40, not '%s'", optarg);
                    return kExitUsage;
                }
                break;
            case kFormat:
                if (std::strcmp(optarg, "codewords") != 0) {
                    PrintError(err, kCommand, "--format takes codewords, not '%s'", optarg);
                    return kExitUsage;
                }
                break;
            default: ReportBadOption(err, kCommand, argv); return kExitUsage;
        }
    }
    if (optind < argc) {
        PrintError(err, kCommand, "unexpected argument '%s' (see --help)", argv[optind]);
        return kExitUsage;
    }
    if ((o->text == nullptr) == (o->textFile == nullptr)) {
        PrintError(err, kCommand, "give the text with either --text or --text-file (see --help)");
        return kExitUsage;
    }
    return -1;
}

// Gathers the text as the plug-in would hold it: code page 932 bytes, ended
// by the first NUL. Returns -1 to go on, else the exit status.
int LoadText(const EncodeOptions& o, std::string* text, FILE* err) {
    std::string raw;
    if (o.textFile != nullptr) {
        std::string why;
        if (!ReadWholeFile(o.textFile, &raw, &why)) {
            PrintError(err, kCommand, "cannot read '%s': %s", o.textFile, why.c_str());
            return kExitUsage;
        }
        const size_t nul = raw.find('\0');
        if (nul != std::string::npos) {
            PrintError(err, kCommand,
                       "note: '%s' holds a NUL byte at offset %zu; the text ends there", o.textFile,
                       nul);
            raw.resize(nul);
        }
    } else {
        raw = o.text;
    }
    if (o.encoding == InputEncoding::kCp932) {
        *text = std::move(raw);
    } else {
        std::string_view utf8 = raw;
        if (utf8.starts_with("\xEF\xBB\xBF")) utf8.remove_prefix(3);  // a byte-order mark
        Cp932Result r = Utf8ToCp932(utf8);
        switch (r.status) {
            case Cp932Status::kOk: *text = std::move(r.bytes); break;
            case Cp932Status::kInvalidUtf8:
                PrintError(err, kCommand, "the text is not valid UTF-8 (at byte %zu)", r.offset);
                return kExitUsage;
            case Cp932Status::kNoCp932Form: {
                // Show the character that has no code page 932 form.
                size_t end = r.offset + 1;
                while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) ++end;
                const std::string ch(utf8.substr(r.offset, end - r.offset));
                PrintError(err, kCommand,
                           "the character '%s' at byte %zu has no code page 932 form", ch.c_str(),
                           r.offset);
                return kExitUsage;
            }
            default:
                PrintError(err, kCommand, "iconv cannot convert to code page 932 on this system");
                return kExitUsage;
        }
    }
    if (text->size() > kMaxTextBytes) {
        PrintError(err, kCommand, "the text is %zu bytes long in code page 932; at most %zu fit",
                   text->size(), kMaxTextBytes);
        return kExitDoesNotFit;
    }
    return -1;
}

// Prints "label" and the codewords in upper-case hex, separated by blanks.
void PrintCodewords(FILE* out, const char* label, const uint8_t* bytes, int32_t count) {
    std::fputs(label, out);
    for (int32_t i = 0; i < count; ++i) std::fprintf(out, i == 0 ? "%02X" : " %02X", bytes[i]);
    std::fputc('\n', out);
}

}  // namespace

int RunEncodeCommand(int argc, char** argv, FILE* out, FILE* err) {
    EncodeOptions o;
    if (int status = ParseOptions(argc, argv, &o, out, err); status >= 0) return status;
    std::string text;
    if (int status = LoadText(o, &text, err); status >= 0) return status;

    auto data = std::make_unique<DataCodewords>();
    const int32_t rc =
        BuildDataCodewords(text.c_str(), o.level, o.mode, static_cast<int32_t>(o.version), data.get());
    if (rc == kQRDoesNotFit) {
        if (o.version == 0)
            PrintError(err, kCommand, "the text does not fit any version up to 40 at level %c",
                       o.level);
        else
            PrintError(err, kCommand, "the text does not fit version %ld at level %c", o.version,
                       o.level);
        return kExitDoesNotFit;
    }
    if (rc != kQROk) {
        PrintError(err, kCommand, "the symbol engine failed with code %d", rc);
        return kExitUsage;
    }
    if (data->version == 0) {
        PrintError(err, kCommand, "note: nothing is left to encode after the %c mode's filter",
                   o.mode);
        return kExitOk;
    }
    std::fprintf(out, "version %d\n", data->version);
    PrintCodewords(out, "data: ", data->bytes, data->dataCount);
    return kExitOk;
}
