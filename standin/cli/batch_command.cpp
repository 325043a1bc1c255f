#include "standin/cli/batch_command.h"

#include <unistd.h>

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "qr/symbol_encoder.h"
#include "standin/actions/action_set.h"
#include "standin/cli/document_output.h"
#include "standin/cli/host_command.h"
#include "standin/cli/input_text.h"
#include "standin/cli/options.h"
#include "standin/cli/orvelk_action.h"
#include "standin/cli/placing_options.h"
#include "standin/cli/play_session.h"
#include "standin/export/art_dump.h"
#include "standin/export/export_document.h"
#include "standin/files/background_writer.h"

namespace {

constexpr char kCommand[] = "batch";

constexpr char kUsageHead[] =
    "Usage: orvelk batch TEXTS (-o PATTERN | --dump) [OPTIONS]\n"
    "\n"
    "Places one QR Code symbol for each line of the file TEXTS ('-' for standard\n"
    "input; lines end in LF or CR LF): loads and starts the plug-ins of the host\n"
    "application folder once, then for each line opens a document, plays the\n"
    "plug-in's action with the line as its text and the settings below through \"Do\n"
    "Action\", exports the document to PATTERN with its run of '#' replaced by the\n"
    "line's number, zero-padded to the run's length (label-####.svg gives\n"
    "label-0001.svg, label-0002.svg, ...), and closes it. A line that fails (it does\n"
    "not fit, is empty, keeps nothing after the mode's filter, cannot be converted, or\n"
    "its file cannot be written) is reported as 'line N: reason' and the batch goes\n"
    "on. Messages go to standard error; on a terminal a progress line shows too.\n"
    "\n"
    "Options:\n"
    "  -o, --output PATTERN     the files, in the format of the extension (.svg, .pdf,\n"
    "                           .eps or .png), with one run of '#' in the file name\n"
    "  --level L|M|Q|H          error-correction level (default M)\n"
    "  --mode N|A|B|K|M         numeric, alphanumeric, 8-bit byte, Kanji or mixed\n"
    "                           Kanji/byte (default B)\n"
    "  --version 0-40           symbol version; 0 chooses the smallest that fits (default 0)\n"
    "  --cell MM                module size in millimetres, 0.01 to 100 (default 0.50),\n"
    "                           converted to points as the filter does (MM / 0.35278)\n"
    "  --at X,Y                 the symbols' centre in points, y upwards from the page's\n"
    "                           bottom edge (default: the centre of the A4 page)\n"
    "  --input-encoding ENC     utf-8 (default; converted to code page 932) or cp932\n"
    "                           (the bytes pass unchanged, as the plug-in receives them)\n"
    "  --save-actions SET.json  save the actions of the lines that were written as an\n"
    "                           action set; 'orvelk replay SET.json -o PATTERN' writes\n"
    "                           the same files again\n";

constexpr char kExitStatusUsage[] =
    "Exit status: 0 when every line was written, 2 on bad usage or when TEXTS or the\n"
    "action set cannot be read or written, 3 when the symbol table file is missing or\n"
    "damaged (the batch stops), 4 when a module was skipped, a plug-in failed to start\n"
    "or none registered the action, 5 when some lines failed (each is named; the\n"
    "others were written).\n";

// getopt_long values of the batch's own options.
enum BatchOption {
    kOptionLevel = 256,
    kOptionMode,
    kOptionVersion,
    kOptionCell,
    kOptionAt,
    kOptionInputEncoding,
    kOptionSaveActions,
};

struct BatchOptions {
    const char* texts = nullptr;
    char level = 'M';
    char mode = 'B';
    long version = 0;
    double cell = 0.50;
    bool at = false;
    double x = 0, y = 0;
    InputEncoding encoding = InputEncoding::kUtf8;
    const char* saveActions = nullptr;
    DocumentOutputOptions output;
    HostCommandOptions host;
};

// "X,Y" as two finite numbers within a page's reach.
bool ParsePoint(const char* text, double* x, double* y) {
    const char* comma = std::strchr(text, ',');
    if (comma == nullptr) return false;
    const std::string first(text, comma);
    constexpr double kReach = 1e6;
    return ParseDoubleInRange(first.c_str(), -kReach, kReach, x) &&
           ParseDoubleInRange(comma + 1, -kReach, kReach, y);
}

// One of `letters` as the whole of `arg` into *letter: -1, else kExitUsage
// with `what` and the argument.
int TakeLetter(const char* arg, const char* letters, const char* what, char* letter, FILE* err) {
    if (std::strlen(arg) != 1 || std::strchr(letters, arg[0]) == nullptr) {
        PrintError(err, kCommand, "%s, not '%s'", what, arg);
        return kExitUsage;
    }
    *letter = arg[0];
    return -1;
}

// Takes one of the batch's own options. Returns -2 when `c` is not one of
// them, -1 when it was taken, or the exit status of a bad value.
int TakeBatchOption(int c, const char* arg, BatchOptions* o, FILE* err) {
    switch (c) {
        case kOptionLevel:
            return TakeLetter(arg, kOrvelkLevelLetters, "--level takes L, M, Q or H", &o->level,
                              err);
        case kOptionMode:
            return TakeLetter(arg, kOrvelkModeLetters, "--mode takes N, A, B, K or M", &o->mode,
                              err);
        case kOptionVersion:
            if (!ParseIntInRange(arg, 0, 40, &o->version)) {
                PrintError(err, kCommand, "--version takes a number from 0 to 40, not '%s'", arg);
                return kExitUsage;
            }
            return -1;
        case kOptionCell:
            if (!ParseDoubleInRange(arg, 0.01, 100.0, &o->cell)) {
                PrintError(err, kCommand, "--cell takes millimetres from 0.01 to 100, not '%s'",
                           arg);
                return kExitUsage;
            }
            return -1;
        case kOptionAt:
            if (!ParsePoint(arg, &o->x, &o->y)) {
                PrintError(err, kCommand, "--at takes X,Y in points, not '%s'", arg);
                return kExitUsage;
            }
            o->at = true;
            return -1;
        case kOptionInputEncoding:
            if (!ParseInputEncoding(arg, &o->encoding)) {
                PrintError(err, kCommand, "--input-encoding takes utf-8 or cp932, not '%s'", arg);
                return kExitUsage;
            }
            return -1;
        case kOptionSaveActions:
            o->saveActions = arg;
            return -1;
        default:
            return -2;
    }
}

// Parses the arguments into `o`. Returns -1 to go on, else the exit status.
int ParseOptions(int argc, char** argv, BatchOptions* o, FILE* out, FILE* err) {
    const PlacingCommand command = {kCommand, kUsageHead, kExitStatusUsage,
                                    "give the file of texts, one a line"};
    return ScanPlacingCommand(
        argc, argv, command,
        {
            {"level", required_argument, nullptr, kOptionLevel},
            {"mode", required_argument, nullptr, kOptionMode},
            {"version", required_argument, nullptr, kOptionVersion},
            {"cell", required_argument, nullptr, kOptionCell},
            {"at", required_argument, nullptr, kOptionAt},
            {"input-encoding", required_argument, nullptr, kOptionInputEncoding},
            {"save-actions", required_argument, nullptr, kOptionSaveActions},
        },
        [o, err](int c, const char* arg) { return TakeBatchOption(c, arg, o, err); }, &o->output,
        &o->host, &o->texts, out, err);
}

// The whole of `path`, or of standard input for "-".
bool ReadTexts(const char* path, std::string* bytes, std::string* why) {
    if (std::strcmp(path, "-") != 0) return ReadWholeFile(path, bytes, why);
    bytes->clear();
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) bytes->append(buffer, n);
    if (!std::ferror(stdin)) return true;
    *why = "cannot read standard input";
    return false;
}

// The lines of `bytes`: each ends in LF or CR LF, the last one may end in
// neither, and an LF at the very end starts no further line.
std::vector<std::string_view> SplitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    while (!bytes.empty()) {
        const size_t lf = bytes.find('\n');
        std::string_view line = bytes.substr(0, lf);
        if (line.ends_with('\r')) line.remove_suffix(1);
        lines.push_back(line);
        if (lf == std::string_view::npos) break;
        bytes.remove_prefix(lf + 1);
    }
    return lines;
}

// One batch run: the options, the session and what has been written.
class Batch {
  public:
    Batch(const BatchOptions& o, const OutputPattern& pattern, PlaySession& session, FILE* out,
          FILE* err)
        : o_(o),
          pattern_(pattern),
          session_(session),
          out_(out),
          err_(err),
          progress_(isatty(fileno(err)) != 0) {}

    // Places every line. Returns the exit status.
    int Run(const std::vector<std::string_view>& lines) {
        int status = kExitOk;
        for (size_t i = 0; i < lines.size(); ++i) {
            if (progress_)
                std::fprintf(err_, "\rorvelk %s: line %zu of %zu\033[K", kCommand, i + 1,
                             lines.size());
            const int line = Line(static_cast<int32_t>(i + 1), lines[i]);
            if (ReportFailedWrites() != kExitOk) status = kExitSomeFailed;
            if (line == kExitTableFile) {
                status = line;
                break;
            }
            if (line != kExitOk) status = line;
        }
        writer_.Finish();
        if (ReportFailedWrites() != kExitOk && status == kExitOk) status = kExitSomeFailed;
        if (progress_) std::fputs("\r\033[K", err_);
        return status;
    }

    // The actions of the lines written, for --save-actions (once Run is done).
    std::vector<standin::RecordedAction> Written() const {
        std::vector<standin::RecordedAction> written;
        for (const Placed& placed : placed_)
            if (!placed.failed) written.push_back(placed.action);
        return written;
    }

  private:
    // Places line `number`. Returns kExitOk, kExitSomeFailed, or
    // kExitTableFile when no line can be placed.
    int Line(int32_t number, std::string_view raw) {
        OrvelkPlacement placement;
        std::string why;
        if (!ConvertInputText(raw, o_.encoding, &placement.text, &why)) return Failed(number, why);
        if (placement.text.empty()) return Failed(number, "the line is empty");
        if (placement.text.find('\0') != std::string::npos)
            return Failed(number, "the line holds a NUL byte");
        if (placement.text.size() > kMaxPluginTextBytes)
            return Failed(number, "the text is " + std::to_string(placement.text.size()) +
                                      " bytes long in code page 932; at most " +
                                      std::to_string(kMaxPluginTextBytes) + " fit");
        placement.level =
            static_cast<int32_t>(std::strchr(kOrvelkLevelLetters, o_.level) - kOrvelkLevelLetters);
        placement.mode =
            static_cast<int32_t>(std::strchr(kOrvelkModeLetters, o_.mode) - kOrvelkModeLetters);
        placement.version = static_cast<int32_t>(o_.version);
        placement.moduleSize = static_cast<float>(o_.cell / kOrvelkMillimetresPerPoint);

        standin::Document* document = standin::OpenDocument(PlayDocumentName(number));
        placement.x = o_.at ? static_cast<float>(o_.x) : document->viewCenter.h;
        placement.y = o_.at ? static_cast<float>(o_.y) : document->viewCenter.v;
        const standin::RecordedAction action = OrvelkAction(placement, number);
        const ASErr result = session_.Play(action, document);
        int status = kExitOk;
        if (result != kSPNoError) {
            status = Failed(number,
                            result == kQRDoesNotFit ? DoesNotFitText() : PlayFailureText(result));
            if (result == kQRTableFileDamaged) status = kExitTableFile;
        } else if (document->art.children.empty()) {
            status = Failed(number, std::string("nothing is left to encode after the ") + o_.mode +
                                        " mode's filter");
        } else if (!Emit(*document, number, &why)) {
            status = Failed(number, why);
        } else {
            placed_.push_back(Placed{number, action, false});
        }
        standin::CloseDocument(document);
        return status;
    }

    // Prints the document's dump when asked, and queues its file. A file's
    // failure to be written is seen later, by ReportFailedWrites.
    bool Emit(const standin::Document& document, int32_t number, std::string* why) {
        if (o_.output.dump) std::fputs(standin::DumpArtTree(document).c_str(), out_);
        if (o_.output.output == nullptr) return true;
        const std::string path = PatternFileName(pattern_, number);
        std::string bytes;
        std::string reason;
        if (!standin::RenderDocument(document, standin::FormatOfPath(path),
                                     o_.output.exportOptions, &bytes, &reason)) {
            *why = "cannot export to " + path + ": " + reason;
            return false;
        }
        writer_.Write(number, path, std::move(bytes));
        return true;
    }

    // Names the lines whose files could not be written since the last call,
    // and leaves their actions out of the saved set. Returns kExitOk when
    // there were none.
    int ReportFailedWrites() {
        int status = kExitOk;
        for (const standin::BackgroundWriter::Failure& failure : writer_.TakeFailures()) {
            for (Placed& placed : placed_)
                if (placed.number == failure.tag) placed.failed = true;
            status = Failed(static_cast<int32_t>(failure.tag), failure.why);
        }
        return status;
    }

    std::string DoesNotFitText() const {
        if (o_.version == 0)
            return std::string("the text does not fit any version up to 40 at level ") + o_.level;
        return "the text does not fit version " + std::to_string(o_.version) + " at level " +
               o_.level;
    }

    int Failed(int32_t number, const std::string& why) {
        if (progress_) std::fputs("\r\033[K", err_);
        PrintError(err_, kCommand, "line %d: %s", number, why.c_str());
        return kExitSomeFailed;
    }

    const BatchOptions& o_;
    const OutputPattern& pattern_;
    PlaySession& session_;
    FILE* out_;
    FILE* err_;
    bool progress_;
    // A line placed and handed to the writer.
    struct Placed {
        long number;
        standin::RecordedAction action;
        bool failed;
    };
    std::vector<Placed> placed_;
    // Declared last, so that it finishes its writes before the rest goes.
    standin::BackgroundWriter writer_;
};

}  // namespace

int RunBatchCommand(int argc, char** argv, FILE* out, FILE* err) {
    BatchOptions o;
    if (const int status = ParseOptions(argc, argv, &o, out, err); status >= 0) return status;

    OutputPattern pattern;
    std::string why;
    if (o.output.output != nullptr) {
        if (!FindOutputPattern(o.output.output, &pattern, &why)) {
            PrintError(err, kCommand, "-o %s", why.c_str());
            return kExitUsage;
        }
        if (pattern.width == 0) {
            PrintError(err, kCommand,
                       "-o '%s' holds no run of '#' for the line number (label-####.svg)",
                       o.output.output);
            return kExitUsage;
        }
    }
    std::string bytes;
    if (!ReadTexts(o.texts, &bytes, &why)) {
        PrintError(err, kCommand, "cannot read '%s': %s", o.texts, why.c_str());
        return kExitUsage;
    }
    const std::vector<std::string_view> lines = SplitLines(
        o.encoding == InputEncoding::kUtf8 ? WithoutByteOrderMark(bytes) : std::string_view(bytes));
    if (lines.empty()) {
        PrintError(err, kCommand, "'%s' holds no line", o.texts);
        return kExitUsage;
    }
    if (!BeginHostCommand(o.host, kCommand, err)) return kExitUsage;

    int status = kExitOk;
    {
        PlaySession session(kCommand, o.host, err);
        status = session.Start(kOrvelkActionEvent);
        if (status < 0) {
            Batch batch(o, pattern, session, out, err);
            status = batch.Run(lines);
            if (o.saveActions != nullptr &&
                !standin::SaveActionSet(batch.Written(), o.saveActions, &why)) {
                PrintError(err, kCommand, "%s", why.c_str());
                if (status == kExitOk) status = kExitUsage;
            }
        }
    }
    EndHostCommand(o.host);
    return status;
}
