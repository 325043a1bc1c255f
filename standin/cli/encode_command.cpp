#include "standin/cli/encode_command.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "qr/symbol_encoder.h"
#include "standin/app/engine_session.h"
#include "standin/cli/input_text.h"
#include "standin/cli/option_table.h"
#include "standin/cli/shared_files.h"
#include "standin/cli/option_values.h"
#include "standin/cli/options.h"
#include "standin/cli/symbol_options.h"
#include "standin/cli/symbol_output.h"
#include "standin/files/replace_file.h"
#include "standin/host/standin_app_folder.h"

namespace {

constexpr char kCommand[] = "encode";

constexpr char kUsageHead[] =
    "Usage: orvelk encode [TEXT] [OPTIONS]\n"
    "\n"
    "Encodes a text with the plug-in's QR symbol engine and prints the result. The\n"
    "text is TEXT, --text or --text-file; without any of them it is read from standard\n"
    "input when that is not a terminal. The plug-in's text field holds 8192 bytes of\n"
    "code page 932; reading stops just past them, or at a NUL byte.\n"
    "\n"
    "Options:\n"
    "  --text TEXT              the text to encode\n"
    "  --text-file FILE         read the text from FILE ('-' for standard input)\n"
    "  --bytes                  take the text's bytes as they are: UTF-8 goes into the\n"
    "                           symbol as UTF-8 bytes (8-bit byte mode), which most\n"
    "                           readers show as UTF-8; needed for characters that code\n"
    "                           page 932 lacks (é, emoji)\n"
    "  --input-encoding ENC     utf-8 (default; converted to code page 932), or cp932\n"
    "                           or bytes (the bytes pass unchanged, as the plug-in\n"
    "                           receives them)\n";

// The usage text states the default border, the plug-in's quiet zone.
static_assert(kQuietZoneModules == 4, "the usage text of 'orvelk encode' needs the new border");

constexpr char kUsageTail[] =
    "  --mask auto|0-7          data mask; auto chooses by penalty score (default auto)\n"
    "  --format FORMAT          text: one line per row, '1' dark, '0' light (default, and\n"
    "                           for .txt); utf8: the symbol in Unicode half blocks for a\n"
    "                           terminal; png, svg, pdf, eps: the symbol with its quiet\n"
    "                           zone; codewords: 'version V', then 'data: ' and 'ecc: '\n"
    "                           lines with the codewords in hex (error correction block by\n"
    "                           block). Without --format, -o's extension (.png, .svg,\n"
    "                           .pdf, .eps, .txt) chooses; PNG and PDF are not written to\n"
    "                           a terminal\n"
    "  --border MODULES         quiet zone, 0 to 100 modules (default 4; png, svg, pdf,\n"
    "                           eps, utf8)\n"
    "  --foreground RRGGBB[AA]  colour of the dark modules (default 000000; png, svg,\n"
    "                           pdf, eps)\n"
    "  --background RRGGBB[AA]  colour of the light modules and the quiet zone (default\n"
    "                           ffffff; png, svg, pdf, eps)\n"
    "  --cell MM                module size in millimetres, 0.01 to 100 (default 0.50;\n"
    "                           svg, pdf, eps, and png with --dpi)\n"
    "  --scale PIXELS           pixels per module for png, 1 to 64 (default 4)\n"
    "  --dpi N                  png: the resolution written into the file, 1 to 9600;\n"
    "                           with --cell it gives the pixels per module (not with\n"
    "                           --scale), rounded to whole pixels: a note gives the\n"
    "                           size written when it is off, --strict refuses it\n"
    "  --verbose                print the version, level, mask, mode, segments and\n"
    "                           capacity chosen on standard error (codewords: no mask)\n"
    "  -o, --output FILE        write to FILE instead of standard output ('-')\n"
    "  --app-folder DIR         the host application folder that holds\n"
    "                           Prefs/Orvelk/ORVK_QR.DAT (default: $ORVELK_APP_FOLDER,\n"
    "                           else your own, $XDG_DATA_HOME/orvelk, made from the\n"
    "                           installed one)\n"
    "  -h, --help               show this help and exit\n"
    "\n"
    "Exit status: 0 on success, 1 when the text does not fit (the version, or the\n"
    "plug-in's text field), 2 on bad usage or a text that cannot be read or converted,\n"
    "3 when the symbol table file is missing or damaged, 7 when the text is empty or\n"
    "nothing of it is left after the mode's filter (an existing -o file is left as it\n"
    "was) or --strict refused the mode, 8 when the output cannot be written, 128 + N\n"
    "when interrupted by signal N (130 for Ctrl-C, 143 for SIGTERM): what was being\n"
    "written is removed.\n";

enum class Format { kNone, kText, kUtf8, kPng, kSvg, kPdf, kEps, kCodewords };

constexpr const char* kFormatNames[] = {"",    "text", "utf8", "png",
                                        "svg", "pdf",  "eps",  "codewords"};

struct EncodeOptions {
    const char* text = nullptr;
    const char* textFile = nullptr;
    InputEncoding encoding = InputEncoding::kUtf8;
    SymbolOptions symbol;
    long maskSetting = 0;  // the plug-in's setting: 0 automatic, k + 1 for mask k
    Format format = Format::kNone;
    long scale = 0;    // 0: not given
    double cell = 0;   // 0: not given
    long dpi = 0;      // 0: not given
    long border = -1;  // -1: not given
    bool foreground = false, background = false;
    SymbolStyle style;
    bool verbose = false;
    bool bytes = false;  // --bytes: the text's bytes in 8-bit byte mode
    const char* output = nullptr;
    const char* appFolder = nullptr;
};

enum {
    kOptText = 256,
    kOptTextFile,
    kOptInputEncoding,
    kOptBytes,
    kOptFormat,
    kOptMask,
    kOptScale,
    kOptCell,
    kOptAppFolder,
    kOptBorder,
    kOptForeground,
    kOptBackground,
    kOptDpi,
    kOptVerbose
};

// Takes one of encode's own options. Returns -1 when taken, else the status.
int TakeEncodeOption(int c, const char* arg, EncodeOptions* o, FILE* out, FILE* err) {
    auto bad = [&](const char* what) {
        PrintError(err, kCommand, "%s, not '%s'", what, arg);
        return int{kExitUsage};
    };
    switch (c) {
        case 'h':
            std::fputs(kUsageHead, out);
            std::fputs(kSymbolOptionsUsage, out);
            std::fputs(kUsageTail, out);
            return kExitOk;
        case kOptText:
            o->text = arg;
            return -1;
        case kOptTextFile:
            o->textFile = arg;
            return -1;
        case kOptBytes:
            o->encoding = InputEncoding::kCp932;
            o->bytes = true;
            return -1;
        case kOptInputEncoding:
            return ParseInputEncoding(arg, &o->encoding)
                       ? -1
                       : bad("--input-encoding takes utf-8, bytes or cp932");
        case kOptFormat: {
            const int i = MatchName(
                arg, {"text", "utf8", "png", "svg", "pdf", "eps", "codewords", "txt", "utf-8"});
            if (i < 0) return bad("--format takes text, utf8, png, svg, pdf, eps or codewords");
            o->format = i == 7   ? Format::kText
                        : i == 8 ? Format::kUtf8
                                 : static_cast<Format>(i + 1);
            return -1;
        }
        case kOptMask:
            if (SameIgnoringCase(arg, "auto")) {
                o->maskSetting = 0;
                return -1;
            }
            if (!ParseIntInRange(arg, 0, 7, &o->maskSetting))
                return bad("--mask takes auto or a number from 0 to 7");
            o->maskSetting += 1;
            return -1;
        case kOptScale:
            return ParseIntInRange(arg, 1, 64, &o->scale)
                       ? -1
                       : bad("--scale takes a number from 1 to 64");
        case kOptCell:
            return ParseDoubleInRange(arg, 0.01, 100.0, &o->cell)
                       ? -1
                       : bad("--cell takes millimetres from 0.01 to 100");
        case kOptDpi:
            return ParseIntInRange(arg, 1, 9600, &o->dpi)
                       ? -1
                       : bad("--dpi takes a number from 1 to 9600");
        case kOptBorder:
            if (!ParseIntInRange(arg, 0, 100, &o->border))
                return bad("--border takes a number of modules from 0 to 100");
            o->style.border = static_cast<int>(o->border);
            return -1;
        case kOptForeground:
            o->foreground = true;
            return ParseColour(arg, &o->style.dark) ? -1
                                                    : bad("--foreground takes RRGGBB or RRGGBBAA");
        case kOptBackground:
            o->background = true;
            return ParseColour(arg, &o->style.light) ? -1
                                                     : bad("--background takes RRGGBB or RRGGBBAA");
        case kOptVerbose:
            o->verbose = true;
            return -1;
        case 'o':
            // One symbol, one file: a second name would silently win.
            if (o->output != nullptr) return RefuseSecondOutput(err, kCommand, o->output, arg);
            o->output = arg;
            return -1;
        case kOptAppFolder:
            o->appFolder = arg;
            return -1;
        default:
            return TakeSymbolOption(c, arg, kCommand, &o->symbol, err);
    }
}

// The extension of `path`'s file name, without its dot; null when it has
// none.
const char* ExtensionOf(const char* path) {
    const char* dot = std::strrchr(path, '.');
    const char* slash = std::strrchr(path, '/');
    if (dot == nullptr || dot[1] == '\0' || (slash != nullptr && dot < slash)) return nullptr;
    return dot + 1;
}

// The format that `path`'s extension names, or kNone.
Format FormatOfExtension(const char* path) {
    const char* extension = ExtensionOf(path);
    if (extension == nullptr) return Format::kNone;
    switch (MatchName(extension, {"png", "svg", "pdf", "eps", "txt"})) {
        case 0:
            return Format::kPng;
        case 1:
            return Format::kSvg;
        case 2:
            return Format::kPdf;
        case 3:
            return Format::kEps;
        case 4:
            return Format::kText;
        default:
            return Format::kNone;
    }
}

bool IsTextFormat(Format f) {
    return f == Format::kText || f == Format::kUtf8 || f == Format::kCodewords;
}
bool WritesToStandardOutput(const EncodeOptions& o) {
    return o.output == nullptr || std::strcmp(o.output, "-") == 0;
}

// Chooses the format and refuses what contradicts it. -1 to go on.
int CheckFormat(EncodeOptions* o, FILE* out, FILE* err) {
    const Format byName = o->output != nullptr && !WritesToStandardOutput(*o)
                              ? FormatOfExtension(o->output)
                              : Format::kNone;
    // An extension that names no format (x.jpg) is not written as text
    // unawares.
    if (o->format == Format::kNone && byName == Format::kNone && o->output != nullptr &&
        !WritesToStandardOutput(*o) && ExtensionOf(o->output) != nullptr) {
        PrintError(err, kCommand,
                   "-o '%s': no format has the extension '.%s' (png, svg, pdf, eps, txt); give "
                   "--format to write it anyway",
                   o->output, ExtensionOf(o->output));
        return kExitUsage;
    }
    if (o->format == Format::kNone) o->format = byName == Format::kNone ? Format::kText : byName;
    const Format f = o->format;
    const char* name = kFormatNames[static_cast<int>(f)];
    if (byName != Format::kNone && byName != f && !(byName == Format::kText && IsTextFormat(f))) {
        PrintError(err, kCommand, "--format %s contradicts the extension of -o '%s'", name,
                   o->output);
        return kExitUsage;
    }
    if ((f == Format::kPng || f == Format::kPdf) && WritesToStandardOutput(*o) &&
        isatty(fileno(out))) {
        PrintError(err, kCommand,
                   "will not write %s to a terminal: give -o FILE or redirect standard output",
                   f == Format::kPng ? "PNG" : "PDF");
        return kExitUsage;
    }
    if ((f == Format::kPng || f == Format::kPdf) && !WritesToStandardOutput(*o) &&
        RefuseBinaryToTerminal(err, kCommand, f == Format::kPng ? "PNG" : "PDF", o->output))
        return kExitUsage;
    if (f == Format::kPng && !CanWriteSymbolPng()) {
        PrintError(err, kCommand, "this build cannot write png (it has no libpng)");
        return kExitUsage;
    }
    if ((f == Format::kPdf || f == Format::kEps) && !CanWriteSymbolVector()) {
        PrintError(err, kCommand, "this build cannot write %s (it has no cairo)", name);
        return kExitUsage;
    }
    // Options that only some formats have.
    struct Applies {
        bool given;
        const char* option;
        bool applies;
    };
    const bool drawn =
        f == Format::kPng || f == Format::kSvg || f == Format::kPdf || f == Format::kEps;
    const Applies checks[] = {
        {o->border >= 0, "--border", drawn || f == Format::kUtf8},
        {o->foreground, "--foreground", drawn},
        {o->background, "--background", drawn},
        {o->cell > 0, "--cell",
         f == Format::kSvg || f == Format::kPdf || f == Format::kEps ||
             (f == Format::kPng && o->dpi > 0)},
        {o->scale > 0, "--scale", f == Format::kPng},
        {o->dpi > 0, "--dpi", f == Format::kPng},
    };
    for (const Applies& a : checks) {
        if (a.given && !a.applies) {
            PrintError(err, kCommand, "%s does not apply to the %s format", a.option, name);
            return kExitUsage;
        }
    }
    if (o->scale > 0 && o->dpi > 0) {
        PrintError(err, kCommand, "give --scale or --dpi with --cell, not both");
        return kExitUsage;
    }
    return -1;
}

// Parses the arguments into `o`. Returns -1 to go on, else the exit status.
int ParseOptions(int argc, char** argv, EncodeOptions* o, FILE* out, FILE* err) {
    std::vector<option> table = {
        {"text", required_argument, nullptr, kOptText},
        {"text-file", required_argument, nullptr, kOptTextFile},
        {"input-encoding", required_argument, nullptr, kOptInputEncoding},
            {"bytes", no_argument, nullptr, kOptBytes},
        {"format", required_argument, nullptr, kOptFormat},
        {"mask", required_argument, nullptr, kOptMask},
        {"scale", required_argument, nullptr, kOptScale},
        {"cell", required_argument, nullptr, kOptCell},
        {"dpi", required_argument, nullptr, kOptDpi},
        {"border", required_argument, nullptr, kOptBorder},
        {"foreground", required_argument, nullptr, kOptForeground},
        {"background", required_argument, nullptr, kOptBackground},
        {"verbose", no_argument, nullptr, kOptVerbose},
        {"output", required_argument, nullptr, 'o'},
        {"app-folder", required_argument, nullptr, kOptAppFolder},
        {"help", no_argument, nullptr, 'h'},
    };
    for (const option& s : SymbolOptionTable()) table.push_back(s);
    const int status = ScanOptions(
        argc, argv, kCommand, table,
        [&](int c, const char* arg) { return TakeEncodeOption(c, arg, o, out, err); }, err);
    if (status >= 0) return status;
    if (optind < argc) {
        if (o->text != nullptr || o->textFile != nullptr || optind + 1 < argc) {
            PrintError(err, kCommand, "unexpected argument '%s': give one text (see --help)",
                       argv[o->text != nullptr || o->textFile != nullptr ? optind : optind + 1]);
            return kExitUsage;
        }
        o->text = argv[optind];
    }
    if (o->text != nullptr && o->textFile != nullptr) {
        PrintError(err, kCommand, "give the text with either --text or --text-file (see --help)");
        return kExitUsage;
    }
    if (o->text == nullptr && o->textFile == nullptr) {
        if (isatty(STDIN_FILENO)) {
            PrintError(err, kCommand,
                       "give the text as an argument, with --text or --text-file, or on standard "
                       "input (see --help)");
            return kExitUsage;
        }
        o->textFile = "-";
    }
    if (const int status = RefuseSharedFiles(
            {{"--text-file", o->textFile, false}, {"-o", o->output, true}}, kCommand, err);
        status >= 0)
        return status;
    return CheckFormat(o, out, err);
}

// Gathers the text as the plug-in would hold it: code page 932 bytes, ended
// by the first NUL. Returns -1 to go on, else the exit status.
int LoadText(const EncodeOptions& o, std::string* text, FILE* err) {
    BoundedText input;
    if (o.textFile != nullptr) {
        const bool fromStdin = std::strcmp(o.textFile, "-") == 0;
        const char* name = fromStdin ? "standard input" : o.textFile;
        FILE* in = fromStdin ? stdin : std::fopen(o.textFile, "rb");
        std::string why = in == nullptr ? std::strerror(errno) : "";
        const bool read = in != nullptr && ReadBoundedText(in, o.encoding, &input, &why);
        if (in != nullptr && !fromStdin) std::fclose(in);
        if (!read) {
            PrintError(err, kCommand, "cannot read '%s': %s", name, why.c_str());
            return kExitUsage;
        }
        if (input.nulOffset != std::string::npos)
            PrintError(err, kCommand,
                       "note: '%s' holds a NUL byte at offset %zu; the text ends there", name,
                       input.nulOffset);
    } else {
        input.bytes = o.text;
        input.tooLong = input.bytes.size() >= InputTextLimit(o.encoding);
    }
    if (input.tooLong) {
        PrintError(err, kCommand,
                   "the text is longer than the %zu bytes of code page 932 that the plug-in's text "
                   "field holds; at most %zu fit",
                   kMaxPluginTextBytes, kMaxPluginTextBytes);
        return kExitDoesNotFit;
    }
    std::string_view raw = input.bytes;
    size_t offset = 0;
    if (o.encoding == InputEncoding::kUtf8) {
        raw = WithoutByteOrderMark(raw);
        offset = input.bytes.size() - raw.size();
    }
    std::string why;
    if (!ConvertInputText(raw, o.encoding, text, &why, offset)) {
        PrintError(err, kCommand, "%s", why.c_str());
        return kExitUsage;
    }
    if (text->size() > kMaxPluginTextBytes) {
        PrintError(err, kCommand,
                   "the text is %zu bytes long in code page 932; the plug-in's text field holds at "
                   "most %zu",
                   text->size(), kMaxPluginTextBytes);
        return kExitDoesNotFit;
    }
    return -1;
}

// Prints "label" and the codewords in upper-case hex, separated by blanks.
void AppendCodewords(std::string* out, const char* label, const uint8_t* bytes, int32_t count) {
    out->append(label);
    char hex[4];
    for (int32_t i = 0; i < count; ++i) {
        std::snprintf(hex, sizeof hex, i == 0 ? "%02X" : " %02X", bytes[i]);
        out->append(hex);
    }
    *out += '\n';
}

// The pixels per module of a PNG: --scale, or --cell at --dpi, or 4.
int PngScale(const EncodeOptions& o) {
    if (o.scale > 0) return static_cast<int>(o.scale);
    if (o.dpi > 0) {
        const double cell = o.cell > 0 ? o.cell : 0.50;
        return static_cast<int>(std::max(1L, std::lround(cell * o.dpi / 25.4)));
    }
    return 4;
}

// A PNG's modules are whole pixels: with --dpi they hold the --cell size
// only as nearly as whole pixels can. When they are off by 0.005 mm or more,
// *note says the size written (else it is emptied).
void NotePngCellRounding(const EncodeOptions& o, std::string* note) {
    note->clear();
    if (o.format != Format::kPng || o.dpi <= 0 || o.scale > 0) return;
    const double cell = o.cell > 0 ? o.cell : 0.50;
    const int pixels = PngScale(o);
    const double written = pixels * 25.4 / static_cast<double>(o.dpi);
    if (std::fabs(written - cell) < 0.005) return;
    char text[200];
    std::snprintf(text, sizeof text,
                  "a %.2f mm module is %.2f pixels at %ld dpi: written as %d pixel%s, %.3f mm "
                  "(%.0f %% %s)",
                  cell, cell * static_cast<double>(o.dpi) / 25.4, o.dpi, pixels,
                  pixels == 1 ? "" : "s", written, std::fabs(written - cell) / cell * 100,
                  written < cell ? "smaller" : "larger");
    *note = text;
}

// The bytes of the result in the chosen format.
bool RenderResult(const EncodeOptions& o, const ModuleMatrix& m, const QRCodewords& c,
                  std::string* bytes, std::string* why) {
    const double cell = o.cell > 0 ? o.cell : 0.50;
    switch (o.format) {
        case Format::kNone:
        case Format::kText:
            AppendSymbolText(bytes, m);
            return true;
        case Format::kUtf8:
            AppendSymbolUtf8(bytes, m, o.style.border);
            return true;
        case Format::kSvg:
            AppendSymbolSvg(bytes, m, cell, o.style);
            return true;
        case Format::kPdf:
        case Format::kEps:
            return AppendSymbolVector(bytes, m, cell, o.style, o.format == Format::kEps, why);
        case Format::kPng: {
            const int scale = PngScale(o);
            const double perMetre = o.dpi > 0 ? o.dpi / 0.0254 : scale / (cell / 1000);
            return AppendSymbolPng(bytes, m, scale, perMetre, o.style, why);
        }
        case Format::kCodewords:
            bytes->append("version " + std::to_string(c.version) + "\n");
            AppendCodewords(bytes, "data: ", c.bytes, c.dataCount);
            AppendCodewords(bytes, "ecc: ", c.bytes + c.dataCount, c.eccCount);
            return true;
    }
    return false;
}

// Writes `bytes` to the -o file: a regular file is replaced whole, a device
// or pipe written as it is. False with the name and the system's reason in
// `why`.
bool WriteOutputFile(const EncodeOptions& o, const std::string& bytes, std::string* why) {
    struct stat st;
    const bool exists = stat(o.output, &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) {
        // Said here, as Windows' runtime would call it a denied permission.
        *why = std::string("cannot write '") + o.output + "': " + std::strerror(EISDIR);
        return false;
    }
    if (exists && !S_ISREG(st.st_mode)) {
        FILE* f = std::fopen(o.output, "wb");
        bool ok = f != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
        ok = ok && std::fflush(f) == 0;
        const int error = errno;
        if (f != nullptr && std::fclose(f) != 0) ok = false;
        if (ok) return true;
        *why = std::string("cannot write '") + o.output + "': " + std::strerror(error);
        return false;
    }
    return standin::ReplaceFileWith(o.output, bytes, why);
}

// Reports a failure of the engine and returns the exit status for it.
int ReportEngineFailure(int32_t rc, const EncodeOptions& o, char mode, const std::string& tablePath,
                        FILE* err) {
    switch (rc) {
        case kQRDoesNotFit:
            PrintError(err, kCommand, "%s",
                       DoesNotFitText(mode, o.symbol.level, static_cast<int32_t>(o.symbol.version))
                           .c_str());
            return kExitDoesNotFit;
        case kQRTableFileDamaged: {
            PrintError(err, kCommand, "%s", TableFileFailureText(tablePath).c_str());
            return kExitTableFile;
        }
        default:
            PrintError(err, kCommand, "the symbol engine failed with code %d", rc);
            return kExitUsage;
    }
}

// "numeric 8 characters" or "Kanji 1 character, 8-bit byte 3 characters":
// the segments of the text in `mode` as the engine plans them, with their
// characters.
std::string SegmentsText(const std::string& text, char mode, char level, int32_t version) {
    auto plan = std::make_unique<QRSymbolPlan>();
    PlanQRSymbol(text.c_str(), level, mode, version, plan.get());
    std::string list;
    for (int32_t i = 0; i < plan->segmentCount; ++i) {
        if (!list.empty()) list += ", ";
        const int32_t characters = plan->segments[i].characters;
        list += std::string(ModeName(plan->segments[i].mode)) + " " + std::to_string(characters) +
                (characters == 1 ? " character" : " characters");
    }
    return list;
}

// Prints what --verbose tells on `err`: the version, level, mask, mode,
// segments and capacity of the symbol of `version`; `mask` is -1 for the
// codewords, which come before the mask.
void PrintVerbose(const EncodeOptions& o, int version, int mask, char mode, const std::string& text,
                  FILE* err) {
    const int side = 17 + 4 * version;
    if (mask < 0)
        PrintError(err, kCommand,
                   "version %d (%d x %d modules), level %c, %s mode; the codewords come before "
                   "the mask",
                   version, side, side, o.symbol.level, ModeName(mode));
    else
        PrintError(err, kCommand, "version %d (%d x %d modules), level %c, mask %d%s, %s mode",
                   version, side, side, o.symbol.level, mask,
                   o.maskSetting == 0 ? " (by penalty)" : "", ModeName(mode));
    PrintError(err, kCommand, "segments: %s",
               SegmentsText(text, mode, o.symbol.level, version).c_str());
    PrintError(err, kCommand,
               "capacity: version %d at level %c holds %s; the text is %zu of the %zu bytes the "
               "plug-in's text field holds",
               version, o.symbol.level, CapacityText(mode, o.symbol.level, version).c_str(),
               text.size(), kMaxPluginTextBytes);
}

// Nothing of the text is left (`mode`'s filter dropped it all, or with
// `mode` 0 there was no text at all): the run fails, and an -o file that
// exists is left as it was (the run did not write it), which the message says.
int NothingLeft(const EncodeOptions& o, char mode, FILE* err) {
    if (mode == 0)
        PrintError(err, kCommand, "the text is empty: there is nothing to encode");
    else
        PrintError(err, kCommand, "nothing is left to encode after the %s mode's filter",
                   ModeName(mode));
    struct stat st;
    if (!WritesToStandardOutput(o) && stat(o.output, &st) == 0)
        PrintError(err, kCommand, "'%s' was not written: it holds what it held before",
                   o.output);
    return kExitNothingLeft;
}

}  // namespace

int RunEncodeCommand(int argc, char** argv, FILE* out, FILE* err) {
    EncodeOptions o;
    if (int status = ParseOptions(argc, argv, &o, out, err); status >= 0) return status;
    std::string text;
    if (int status = LoadText(o, &text, err); status >= 0) return status;
    // UTF-8 bytes could pass for Kanji pairs: --bytes keeps them bytes
    // unless a mode was named.
    if (o.bytes && o.symbol.mode == kModeAuto) o.symbol.mode = 'B';
    char mode = o.symbol.mode;
    std::string note;
    if (!ResolveMode(o.symbol, text, &mode, &note)) {
        PrintError(err, kCommand, "%s (--strict)", note.c_str());
        return kExitNothingLeft;
    }
    if (!note.empty()) PrintError(err, kCommand, "note: %s", note.c_str());
    if (text.empty()) return NothingLeft(o, 0, err);

    std::string why;
    if (!BeginEngineSession(o.appFolder, static_cast<int32_t>(o.maskSetting), &why)) {
        PrintError(err, kCommand, "%s", why.c_str());
        return kExitUsage;
    }
    const std::string tablePath = StandinTableFilePath();
    // Empty, and otherwise left unwritten: the engine writes the modules of
    // the symbol's side and the codewords it counts, and clearing the whole
    // 31 KB square would touch pages that nothing reads.
    auto matrix = std::make_unique_for_overwrite<ModuleMatrix>();
    matrix->side = 0;
    auto codewords = std::make_unique_for_overwrite<QRCodewords>();
    codewords->version = 0;
    const auto version = static_cast<int32_t>(o.symbol.version);
    const int32_t rc =
        o.format == Format::kCodewords
            ? EncodeQRCodewords(text.c_str(), o.symbol.level, mode, version, codewords.get())
            : EncodeQRSymbol(text.c_str(), o.symbol.level, mode, version, matrix.get());
    EndEngineSession();
    if (rc != kQROk) return ReportEngineFailure(rc, o, mode, tablePath, err);
    const bool empty = o.format == Format::kCodewords ? codewords->version == 0 : matrix->side == 0;
    if (empty) return NothingLeft(o, mode, err);
    if (o.verbose && o.format == Format::kCodewords)
        PrintVerbose(o, codewords->version, -1, mode, text, err);
    else if (o.verbose)
        PrintVerbose(o, (matrix->side - 17) / 4, QRSymbolMask(matrix.get(), o.symbol.level), mode,
                     text, err);

    std::string rounding;
    NotePngCellRounding(o, &rounding);
    if (!rounding.empty() && o.symbol.strict) {
        PrintError(err, kCommand, "%s; --strict writes no module of another size (choose --dpi "
                   "or --cell so that a module is whole pixels)", rounding.c_str());
        return kExitUsage;
    }
    if (!rounding.empty()) PrintError(err, kCommand, "note: %s", rounding.c_str());

    std::string bytes;
    if (!RenderResult(o, *matrix, *codewords, &bytes, &why)) {
        PrintError(err, kCommand, "%s", why.c_str());
        return kExitWriteFailed;
    }
    if (WritesToStandardOutput(o)) {
        if (std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size() ||
            std::fflush(out) != 0) {
            ReportStandardOutputFailure(out, err, kCommand, errno);
            return kExitWriteFailed;
        }
    } else if (!WriteOutputFile(o, bytes, &why)) {
        PrintError(err, kCommand, "%s", why.c_str());
        return kExitWriteFailed;
    }
    return kExitOk;
}
