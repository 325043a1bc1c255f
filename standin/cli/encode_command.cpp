#include "standin/cli/encode_command.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "qr/symbol_encoder.h"
#include "standin/cli/engine_session.h"
#include "standin/cli/input_text.h"
#include "standin/cli/options.h"
#include "standin/cli/symbol_output.h"
#include "standin/host/standin_app_folder.h"

namespace {

constexpr char kCommand[] = "encode";


constexpr char kUsage[] =
    "Usage: orvelk encode (--text TEXT | --text-file FILE) [OPTIONS]\n"
    "\n"
    "Encodes a text with the plug-in's QR symbol engine and prints the result.\n"
    "\n"
    "Options:\n"
    "  --text TEXT              the text to encode\n"
    "  --text-file FILE         read the text from FILE, '-' for standard input (raw\n"
    "                           bytes; a NUL byte ends it)\n"
    "  --input-encoding ENC     utf-8 (default; converted to code page 932) or cp932\n"
    "                           (the bytes pass unchanged, as the plug-in receives them)\n"
    "  --level L|M|Q|H          error-correction level (default M)\n"
    "  --mode N|A|B|K|M         numeric, alphanumeric, 8-bit byte, Kanji or mixed\n"
    "                           Kanji/byte (default B)\n"
    "  --version 0-40           symbol version; 0 chooses the smallest that fits (default 0)\n"
    "  --mask auto|0-7          data mask; auto chooses by penalty score (default auto)\n"
    "  --format FORMAT          text (default): one line per row, '1' dark, '0' light;\n"
    "                           png or svg: the symbol with a 4-module quiet zone;\n"
    "                           codewords: 'version V', then 'data: ' and 'ecc: ' lines\n"
    "                           with the codewords in hex (error correction block by block)\n"
    "  --scale PIXELS           pixels per module for png (default 4)\n"
    "  --cell MM                module size in millimetres for svg (default 0.50)\n"
    "  -o, --output FILE        write to FILE instead of standard output\n"
    "  --app-folder DIR         the host application folder that holds\n"
    "                           Prefs/Orvelk/ORVK_QR.DAT (default: $ORVELK_APP_FOLDER,\n"
    "                           else the folder the build laid out)\n"
    "  -h, --help               show this help and exit\n"
    "\n"
    "Exit status: 0 on success (also when the mode's filter keeps nothing, with a note),\n"
    "1 when the text does not fit, 2 on bad usage or a text that cannot be converted,\n"
    "3 when the symbol table file is missing or damaged.\n";

enum class Format { kText, kPng, kSvg, kCodewords };

struct EncodeOptions {
    const char* text = nullptr;
    const char* textFile = nullptr;
    InputEncoding encoding = InputEncoding::kUtf8;
    char level = 'M';
    char mode = 'B';
    long version = 0;
    long maskSetting = 0;  // the plug-in's setting: 0 automatic, k + 1 for mask k
    Format format = Format::kText;
    long scale = 4;
    double cell = 0.50;
    const char* output = nullptr;
    const char* appFolder = nullptr;
};

// Parses the arguments into `o`. Returns -1 to go on, else the exit status.
int ParseOptions(int argc, char** argv, EncodeOptions* o, FILE* out, FILE* err) {
    enum {
        kText = 256, kTextFile, kInputEncoding, kLevel, kMode, kVersion, kFormat, kMask, kScale,
        kCell, kAppFolder
    };
    static const option kLongOptions[] = {
        {"text", required_argument, nullptr, kText},
        {"text-file", required_argument, nullptr, kTextFile},
        {"input-encoding", required_argument, nullptr, kInputEncoding},
        {"level", required_argument, nullptr, kLevel},
        {"mode", required_argument, nullptr, kMode},
        {"version", required_argument, nullptr, kVersion},
        {"format", required_argument, nullptr, kFormat},
        {"mask", required_argument, nullptr, kMask},
        {"scale", required_argument, nullptr, kScale},
        {"cell", required_argument, nullptr, kCell},
        {"output", required_argument, nullptr, 'o'},
        {"app-folder", required_argument, nullptr, kAppFolder},
        {"help", no_argument, nullptr, 'h'},
        {nullptr, 0, nullptr, 0},
    };
    ResetOptionScan();
    int c;
    while ((c = getopt_long(argc, argv, "ho:", kLongOptions, nullptr)) != -1) {
        switch (c) {
            case 'h': std::fputs(kUsage, out); return kExitOk;
            case kText: o->text = optarg; break;
            case kTextFile: o->textFile = optarg; break;
            case kInputEncoding:
                if (!ParseInputEncoding(optarg, &o->encoding)) {
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
                if (std::strcmp(optarg, "text") == 0) o->format = Format::kText;
                else if (std::strcmp(optarg, "png") == 0) o->format = Format::kPng;
                else if (std::strcmp(optarg, "svg") == 0) o->format = Format::kSvg;
                else if (std::strcmp(optarg, "codewords") == 0) o->format = Format::kCodewords;
                else {
                    PrintError(err, kCommand, "--format takes text, png, svg or codewords, not '%s'",
                               optarg);
                    return kExitUsage;
                }
                break;
            case kMask:
                if (std::strcmp(optarg, "auto") == 0) {
                    o->maskSetting = 0;
                } else if (ParseIntInRange(optarg, 0, 7, &o->maskSetting)) {
                    o->maskSetting += 1;
                } else {
                    PrintError(err, kCommand, "--mask takes auto or a number from 0 to 7, not '%s'",
                               optarg);
                    return kExitUsage;
                }
                break;
            case kScale:
                if (!ParseIntInRange(optarg, 1, 64, &o->scale)) {
                    PrintError(err, kCommand, "--scale takes a number from 1 to 64, not '%s'", optarg);
                    return kExitUsage;
                }
                break;
            case kCell:
                if (!ParseDoubleInRange(optarg, 0.01, 100.0, &o->cell)) {
                    PrintError(err, kCommand,
                               "--cell takes millimetres from 0.01 to 100, not '%s'", optarg);
                    return kExitUsage;
                }
                break;
            case 'o': o->output = optarg; break;
            case kAppFolder: o->appFolder = optarg; break;
            default: ReportBadOption(err, kCommand, argv); return kExitUsage;
        }
    }
    if (FinishOptionScan(argc, argv, kCommand, err) >= 0) return kExitUsage;
    if ((o->text == nullptr) == (o->textFile == nullptr)) {
        PrintError(err, kCommand, "give the text with either --text or --text-file (see --help)");
        return kExitUsage;
    }
    return -1;
}

// Gathers the text as the plug-in would hold it: code page 932 bytes, ended
// by the first NUL. Returns -1 to go on, else the exit status.
int LoadText(const EncodeOptions& o, std::string* text, FILE* err) {
    std::string note, why;
    const InputTextResult result =
        LoadInputText(InputTextSource{o.text, o.textFile, o.encoding}, text, &note, &why);
    if (!note.empty()) PrintError(err, kCommand, "note: %s", note.c_str());
    if (result == InputTextResult::kOk) return -1;
    PrintError(err, kCommand, "%s", why.c_str());
    return result == InputTextResult::kTooLong ? kExitDoesNotFit : kExitUsage;
}

// Prints "label" and the codewords in upper-case hex, separated by blanks.
void PrintCodewords(FILE* out, const char* label, const uint8_t* bytes, int32_t count) {
    std::fputs(label, out);
    for (int32_t i = 0; i < count; ++i) std::fprintf(out, i == 0 ? "%02X" : " %02X", bytes[i]);
    std::fputc('\n', out);
}

// Writes the symbol or its codewords in the chosen format.
bool WriteResult(FILE* out, const EncodeOptions& o, const ModuleMatrix& m, const QRCodewords& c) {
    switch (o.format) {
        case Format::kText: return WriteSymbolText(out, m);
        case Format::kSvg: return WriteSymbolSvg(out, m, o.cell);
        case Format::kPng: return WriteSymbolPng(out, m, static_cast<int>(o.scale));
        case Format::kCodewords:
            std::fprintf(out, "version %d\n", c.version);
            PrintCodewords(out, "data: ", c.bytes, c.dataCount);
            PrintCodewords(out, "ecc: ", c.bytes + c.dataCount, c.eccCount);
            return !std::ferror(out);
    }
    return false;
}

// Reports a failure of the engine and returns the exit status for it.
int ReportEngineFailure(int32_t rc, const EncodeOptions& o, const std::string& tablePath,
                        FILE* err) {
    switch (rc) {
        case kQRDoesNotFit:
            if (o.version == 0)
                PrintError(err, kCommand, "the text does not fit any version up to 40 at level %c",
                           o.level);
            else
                PrintError(err, kCommand, "the text does not fit version %ld at level %c",
                           o.version, o.level);
            return kExitDoesNotFit;
        case kQRTableFileDamaged:
            PrintError(err, kCommand,
                       "the symbol table file is missing or damaged: %s (code %d)",
                       tablePath.c_str(), rc);
            return kExitTableFile;
        default:
            PrintError(err, kCommand, "the symbol engine failed with code %d", rc);
            return kExitUsage;
    }
}

}  // namespace

int RunEncodeCommand(int argc, char** argv, FILE* out, FILE* err) {
    EncodeOptions o;
    if (int status = ParseOptions(argc, argv, &o, out, err); status >= 0) return status;
    std::string text;
    if (int status = LoadText(o, &text, err); status >= 0) return status;
    std::string why;
    if (!BeginEngineSession(o.appFolder, static_cast<int32_t>(o.maskSetting), &why)) {
        PrintError(err, kCommand, "%s", why.c_str());
        return kExitUsage;
    }

    const std::string tablePath = StandinTableFilePath();
    auto matrix = std::make_unique<ModuleMatrix>();
    auto codewords = std::make_unique<QRCodewords>();
    const auto version = static_cast<int32_t>(o.version);
    int32_t rc = o.format == Format::kCodewords
                     ? EncodeQRCodewords(text.c_str(), o.level, o.mode, version, codewords.get())
                     : EncodeQRSymbol(text.c_str(), o.level, o.mode, version, matrix.get());
    EndEngineSession();
    if (rc != kQROk) return ReportEngineFailure(rc, o, tablePath, err);
    const bool empty = o.format == Format::kCodewords ? codewords->version == 0 : matrix->side == 0;
    if (empty) {
        PrintError(err, kCommand, "note: nothing is left to encode after the %c mode's filter",
                   o.mode);
        return kExitOk;
    }

    FILE* target = out;
    if (o.output != nullptr && std::strcmp(o.output, "-") != 0) {
        target = std::fopen(o.output, "wb");
        if (target == nullptr) {
            PrintError(err, kCommand, "cannot write '%s': %s", o.output, std::strerror(errno));
            return kExitUsage;
        }
    }
    bool written = WriteResult(target, o, *matrix, *codewords);
    if (target != out) written = (std::fclose(target) == 0) && written;
    if (!written) {
        PrintError(err, kCommand, "writing the output failed");
        return kExitUsage;
    }
    return kExitOk;
}
