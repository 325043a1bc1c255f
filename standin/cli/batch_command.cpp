#include "standin/cli/batch_command.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "contract/symbol_settings.h"
#include "qr/symbol_encoder.h"
#include "standin/actions/action_set.h"
#include "standin/cli/batch_jobs.h"
#include "standin/cli/document_output.h"
#include "standin/cli/host_options.h"
#include "standin/cli/input_text.h"
#include "standin/cli/interrupts.h"
#include "standin/cli/options.h"
#include "standin/cli/orvelk_action.h"
#include "standin/cli/placing_options.h"
#include "standin/cli/shared_files.h"
#include "standin/cli/symbol_options.h"
#include "standin/app/play_session.h"
#include "standin/cli/play_failure.h"
#include "standin/export/art_dump.h"
#include "standin/export/export_document.h"
#include "standin/files/background_writer.h"
#if !defined(_WIN32)
#include "standin/files/folder_tree.h"
#endif

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
    "  --cell MM                module size in millimetres, 0.01 to 100 (default 0.50),\n"
    "                           converted to points as the filter does (MM / 0.35278)\n"
    "  --at X,Y                 the symbols' centre in points, y upwards from the page's\n"
    "                           bottom edge (default: the centre of the A4 page)\n"
    "  --bytes                  take the text's bytes as they are: UTF-8 goes into the\n"
    "                           symbol as UTF-8 bytes (8-bit byte mode), which most\n"
    "                           readers show as UTF-8; needed for characters that code\n"
    "                           page 932 lacks (é, emoji)\n"
    "  --input-encoding ENC     utf-8 (default; converted to code page 932), or cp932\n"
    "                           or bytes (the bytes pass unchanged, as the plug-in\n"
    "                           receives them)\n"
    "  --save-actions SET.json  save the actions of the lines that were written as an\n"
    "                           action set; 'orvelk replay SET.json -o PATTERN' writes\n"
    "                           the same files again. A run that fails before any line\n"
    "                           is placed leaves an existing set as it was\n"
    "  --jobs N                 place the lines on N processes, 1 to 64 (default 1), each\n"
    "                           a host of its own with a run of the lines; the files,\n"
    "                           the dump and the messages are those of one process\n"
    "                           (kept meanwhile in a folder of its own in $TMPDIR)\n";

// The usage texts state the plug-in's conversion of a cell size and its
// quiet zone.
static_assert(kMillimetresPerPoint == 0.35278 && kQuietZoneModules == 4,
              "the usage texts of 'orvelk batch' need the plug-in's new numbers");

constexpr char kExitStatusUsage[] =
    "The settings --level, --mode (auto: chosen for each line), --version and\n"
    "--strict are those of 'orvelk encode'; a line whose mode drops or changes\n"
    "characters is noted (with --strict it fails). --border is refused: the placed\n"
    "art always keeps its quiet zone of 4 modules.\n"
    "\n"
    "Exit status: 0 when every line was written, 2 on bad usage or when TEXTS cannot\n"
    "be read, 3 when the symbol table file is missing or damaged (the batch stops), 4\n"
    "when a module was skipped, a plug-in failed to start or none registered the\n"
    "action, 5 when some lines failed, an empty line among them (each is named; the\n"
    "others were written), or a step of --user could not be carried out or was left\n"
    "over, 8 when the action set or standard output cannot be written (an action set\n"
    "is written only whole: the old one stays when a job did not run to its end),\n"
    "128 + N when interrupted by signal N (130 for Ctrl-C, 143 for SIGTERM): the\n"
    "batch stops at its next line, says how far it got and saves the actions of the\n"
    "lines written; a second interrupt ends it at once, its files being written\n"
    "removed; a reader of standard output that goes away ends it at once and\n"
    "silently (141), the old action set kept.\n";

// Option values of the batch's own options.
enum BatchOption {
    kOptionCell = 256,
    kOptionAt,
    kOptionInputEncoding,
    kOptionBytes,
    kOptionSaveActions,
    kOptionBorder,
    kOptionJobs,
};

struct BatchOptions {
    const char* texts = nullptr;
    SymbolOptions symbol;
    double cell = 0.50;
    bool at = false;
    double x = 0, y = 0;
    InputEncoding encoding = InputEncoding::kUtf8;
    const char* saveActions = nullptr;
    long jobs = 1;
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

// Takes one of the batch's own options. Returns -2 when `c` is not one of
// them, -1 when it was taken, or the exit status of a bad value.
int TakeBatchOption(int c, const char* arg, BatchOptions* o, FILE* err) {
    switch (c) {
        case kOptionBorder:
            PrintError(err, kCommand,
                       "--border does not apply: the placed art keeps its quiet zone of %d modules",
                       static_cast<int>(kQuietZoneModules));
            return kExitUsage;
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
        case kOptionBytes:
            o->encoding = InputEncoding::kCp932;
            return -1;
        case kOptionInputEncoding:
            if (!ParseInputEncoding(arg, &o->encoding)) {
                PrintError(err, kCommand, "--input-encoding takes utf-8, bytes or cp932, not '%s'",
                           arg);
                return kExitUsage;
            }
            return -1;
        case kOptionSaveActions:
            o->saveActions = arg;
            return -1;
        case kOptionJobs:
            if (!ParseIntInRange(arg, 1, 64, &o->jobs)) {
                PrintError(err, kCommand, "--jobs takes a number from 1 to 64, not '%s'", arg);
                return kExitUsage;
            }
#if defined(_WIN32)
            // Jobs are processes forked from this one, which Windows has not.
            if (o->jobs > 1) {
                PrintError(err, kCommand, "--jobs %s: this build places the lines in one process",
                           arg);
                return kExitUsage;
            }
#endif
            return -1;
        default:
            return TakeSymbolOption(c, arg, kCommand, &o->symbol, err);
    }
}

// Parses the arguments into `o`. Returns -1 to go on, else the exit status.
int ParseOptions(int argc, char** argv, BatchOptions* o, FILE* out, FILE* err) {
    const PlacingCommand command = {kCommand, kUsageHead, kExitStatusUsage,
                                    "give the file of texts, one a line", true,
                                    kSymbolOptionsUsage};
    std::vector<option> own = {
        {"cell", required_argument, nullptr, kOptionCell},
        {"at", required_argument, nullptr, kOptionAt},
        {"input-encoding", required_argument, nullptr, kOptionInputEncoding},
            {"bytes", no_argument, nullptr, kOptionBytes},
        {"save-actions", required_argument, nullptr, kOptionSaveActions},
        {"border", required_argument, nullptr, kOptionBorder},
        {"jobs", required_argument, nullptr, kOptionJobs},
    };
    for (const option& s : SymbolOptionTable()) own.push_back(s);
    return ScanPlacingCommand(
        argc, argv, command, std::move(own),
        [o, err](int c, const char* arg) { return TakeBatchOption(c, arg, o, err); }, &o->output,
        &o->host, &o->texts, out, err);
}

// The most a file of texts may hold: far more than any batch places, and
// little enough that an endless input (/dev/zero, `yes`) ends at once with a
// message rather than when memory runs out.
constexpr size_t kMaxTextsBytes = size_t{256} << 20;
constexpr size_t kMaxTextsLines = size_t{10'000'000};

// The whole of `path`, or of standard input for "-", up to the limits above.
bool ReadTexts(const char* path, std::string* bytes, std::string* why) {
    const bool standardInput = std::strcmp(path, "-") == 0;
    FILE* in = standardInput ? stdin : std::fopen(path, "rb");
    if (in == nullptr) {
        *why = std::strerror(errno);
        return false;
    }
    bytes->clear();
    size_t lines = 0;
    char buffer[65536];
    size_t n;
    bool ok = true;
    while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0) {
        lines += static_cast<size_t>(std::count(buffer, buffer + n, '\n'));
        if (bytes->size() + n > kMaxTextsBytes || lines > kMaxTextsLines) {
            *why = "it holds more than " +
                   (lines > kMaxTextsLines ? std::to_string(kMaxTextsLines) + " lines"
                                           : std::to_string(kMaxTextsBytes) + " bytes") +
                   ", more than one batch places (split it)";
            ok = false;
            break;
        }
        bytes->append(buffer, n);
    }
    if (ok && std::ferror(in)) {
        *why = std::strerror(errno);
        ok = false;
    }
    if (!standardInput) std::fclose(in);
    if (!ok) bytes->clear();
    return ok;
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
    // A batch that prints on `out` and `err`; with a `progressFd` of a job
    // it tells the pipe of each line done instead of showing progress itself.
    Batch(const BatchOptions& o, const OutputPattern& pattern, PlaySession& session, FILE* out,
          FILE* err, int progressFd = -1)
        : o_(o),
          pattern_(pattern),
          session_(session),
          out_(out),
          err_(err),
          progress_(progressFd < 0 && isatty(fileno(err)) != 0),
          progressFd_(progressFd) {}

    // Places lines [begin, end) of `lines`, line i numbered i + 1. Returns
    // the exit status. `start` is the first byte of the file the lines lie
    // in, from which a conversion error counts its offset.
    int Run(const std::vector<std::string_view>& lines, size_t begin, size_t end,
            const char* start) {
        start_ = start;
        int status = kExitOk;
        stoppedAt_ = end;
        for (size_t i = begin; i < end; ++i) {
            if (InterruptSignal() != 0) {
                stoppedAt_ = i;
                break;
            }
            if (progress_)
                std::fprintf(err_, "\rorvelk %s: line %zu of %zu\033[K", kCommand, i + 1,
                             lines.size());
            const int line = Line(static_cast<int32_t>(i + 1), lines[i]);
            if (progressFd_ >= 0) (void)!write(progressFd_, "+", 1);
            if (ReportFailedWrites() != kExitOk) status = kExitSomeFailed;
            if (line == kExitTableFile) {
                status = line;
                break;
            }
            if (line != kExitOk) status = line;
        }
        writer_.Finish();
        if (ReportFailedWrites() != kExitOk && status == kExitOk) status = kExitSomeFailed;
        ClearProgress();
        return status;
    }

    // The line (0-based) before which an interrupt stopped Run; its `end`
    // when none did.
    size_t StoppedAt() const { return stoppedAt_; }

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
        if (!ConvertInputText(raw, o_.encoding, &placement.text, &why,
                              static_cast<size_t>(raw.data() - start_)))
            return Failed(number, why);
        if (placement.text.empty()) return Failed(number, "the line is empty");
        if (placement.text.find('\0') != std::string::npos)
            return Failed(number, "the line holds a NUL byte");
        if (placement.text.size() > kMaxPluginTextBytes)
            return Failed(number, "the text is " + std::to_string(placement.text.size()) +
                                      " bytes long in code page 932; at most " +
                                      std::to_string(kMaxPluginTextBytes) + " fit");
        char mode = o_.symbol.mode;
        std::string note;
        if (!ResolveMode(o_.symbol, placement.text, &mode, &note))
            return Failed(number, note + " (--strict)");
        if (!note.empty()) Noted(number, note);
        placement.level = static_cast<int32_t>(std::strchr(kLevelIndexLetters, o_.symbol.level) -
                                               kLevelIndexLetters);
        placement.mode =
            static_cast<int32_t>(std::strchr(kModeIndexLetters, mode) - kModeIndexLetters);
        placement.version = static_cast<int32_t>(o_.symbol.version);
        placement.moduleSize = static_cast<float>(o_.cell / kMillimetresPerPoint);

        standin::Document* document = standin::OpenDocument(PlayDocumentName(number));
        placement.x = o_.at ? static_cast<float>(o_.x) : document->viewCenter.h;
        placement.y = o_.at ? static_cast<float>(o_.y) : document->viewCenter.v;
        const standin::RecordedAction action = OrvelkAction(placement, number);
        const ASErr result = session_.Play(action, document);
        int status = kExitOk;
        if (result != kSPNoError) {
            status = Failed(number, result == kQRDoesNotFit
                                        ? DoesNotFitText(mode, o_.symbol.level, placement.version)
                                        : PlayFailureText(result));
            if (result == kQRTableFileDamaged) status = kExitTableFile;
        } else if (document->art.children.empty()) {
            status = Failed(number, std::string("nothing is left to encode after the ") +
                                        ModeName(mode) + " mode's filter");
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
        if (o_.output.dump) {
            // Standard output may be the progress line's terminal too.
            ClearProgress();
            // A failed write of standard output is said with its reason at
            // once, while errno still holds it (a job's output is its own).
            if ((std::fputs(standin::DumpArtTree(document).c_str(), out_) == EOF ||
                 (progress_ && std::fflush(out_) != 0)) &&
                progressFd_ < 0)
                ReportStandardOutputFailure(out_, err_, kCommand, errno);
        }
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
        // Looked at once: every line of a batch has the same cell size, so
        // the first symbol's pixels a module are every symbol's.
        if (!checkedPixels_) {
            const std::string note = PngModuleNote(document, path, o_.output.exportOptions.dpi);
            if (!note.empty()) PrintError(err_, kCommand, "note: %s", note.c_str());
            checkedPixels_ = true;
        }
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

    // Clears the progress line, when one is shown, so that what comes next
    // starts a line of its own.
    void ClearProgress() {
        if (progress_) std::fputs("\r\033[K", err_);
    }

    // Says the note of line `number` on a line of its own.
    void Noted(int32_t number, const std::string& note) {
        ClearProgress();
        PrintError(err_, kCommand, "line %d: note: %s", number, note.c_str());
    }

    // Names line `number` as failed, with `why`. Returns kExitSomeFailed.
    int Failed(int32_t number, const std::string& why) {
        ClearProgress();
        PrintError(err_, kCommand, "line %d: %s", number, why.c_str());
        return kExitSomeFailed;
    }

    const BatchOptions& o_;
    const OutputPattern& pattern_;
    PlaySession& session_;
    FILE* out_;
    FILE* err_;
    bool progress_;
    int progressFd_;
    const char* start_ = nullptr;
    size_t stoppedAt_ = 0;
    // A line placed and handed to the writer.
    struct Placed {
        long number;
        standin::RecordedAction action;
        bool failed;
    };
    std::vector<Placed> placed_;
    bool checkedPixels_ = false;  // the first symbol's pixels a module were looked at
    // Declared last, so that it finishes its writes before the rest goes.
    standin::BackgroundWriter writer_;
};

// Whether the user's action set at `path` is to be left as it is: a run
// that failed without placing a line has nothing to put in its place, so it
// says so and writes nothing.
bool LeaveActionSet(const std::vector<standin::RecordedAction>& actions, int status,
                    const char* path, FILE* err) {
    if (!actions.empty() || status == kExitOk) return false;
    PrintError(err, kCommand, "'%s' was not written: no line was placed; it is as it was", path);
    return true;
}

// Saves `actions` to `path`. Returns kExitOk, kExitWriteFailed with the
// reason said, or 128 + the signal of an interrupt that stopped the save.
int SaveActions(const std::vector<standin::RecordedAction>& actions, const std::string& path,
                FILE* err) {
    std::string why;
    if (standin::SaveActionSet(actions, path, &why)) return kExitOk;
    // A signal ends a write into a pipe or a slow device with EINTR: that is
    // the interrupt, not a fault of the file.
    if (InterruptSignal() != 0 && std::string_view(why).ends_with(std::strerror(EINTR))) {
        PrintError(err, kCommand, "interrupted while %s was being saved: it was not saved",
                   path.c_str());
        return InterruptedStatus();
    }
    PrintError(err, kCommand, "%s", why.c_str());
    return kExitWriteFailed;
}

// Places lines [share.begin, share.end) in a host session of their own and
// saves their actions to `actionsPath` when it is not empty (the user's own
// set only when there is something to put in its place). Returns the exit
// status.
int PlaceShare(const BatchOptions& o, const OutputPattern& pattern,
               const std::vector<std::string_view>& lines, const char* start,
               const JobShare& share, FILE* out, FILE* err) {
    int status = kExitOk;
    {
        PlaySession session(kCommand, o.host, err);
        status = session.Start(kQRActionEventName) ? -1 : kExitPluginFailure;
        if (status < 0) {
            Batch batch(o, pattern, session, out, err, share.progressFd);
            status = batch.Run(lines, share.begin, share.end, start);
            if (batch.StoppedAt() < share.end) {
                // The lines before are placed and their files written (or
                // named as failed); their actions are saved below.
                const size_t stopped = batch.StoppedAt();
                if (stopped == share.begin) {
                    PrintError(err, kCommand, "interrupted: stopped at line %zu of %zu; no line written",
                               stopped + 1, lines.size());
                } else {
                    PrintError(err, kCommand, "interrupted: stopped at line %zu of %zu; %s written",
                               stopped + 1, lines.size(),
                               LinesText(share.begin + 1, stopped).c_str());
                }
                status = InterruptedStatus();
            }
            if (!share.actionsPath.empty() &&
                !(share.usersSet &&
                  LeaveActionSet(batch.Written(), status, share.actionsPath.c_str(), err))) {
                const int saved = SaveActions(batch.Written(), share.actionsPath, err);
                if (status == kExitOk || saved > kExitWriteFailed) status = saved;
            }
        }
    }
    if (status != kExitTableFile && status != kExitPluginFailure)
        status = WithScriptStatus(status, FinishUserScript(o.host, kCommand, err));
    return status;
}

int PlaceAll(const BatchOptions& o, const OutputPattern& pattern,
             const std::vector<std::string_view>& lines, const char* start, FILE* out, FILE* err) {
    JobShare all;
    all.end = lines.size();
    if (o.saveActions != nullptr) all.actionsPath = o.saveActions;
    all.usersSet = true;
    const int status = PlaceShare(o, pattern, lines, start, all, out, err);
    // An interrupt after the last line ends the run as one during it does.
    return InterruptSignal() != 0 ? InterruptedStatus() : status;
}

#if !defined(_WIN32)
// The lines on o.jobs processes; their action sets joined in line order.
int PlaceInJobs(const BatchOptions& o, const OutputPattern& pattern,
                const std::vector<std::string_view>& lines, const char* start, FILE* out,
                FILE* err) {
    const char* tmp = std::getenv("TMPDIR");
    const bool fromEnvironment = tmp != nullptr && *tmp != '\0';
    const std::string tmpFolder = fromEnvironment ? tmp : "/tmp";
    std::string actionsFolder = tmpFolder + "/orvelk-batch-XXXXXX";
    if (mkdtemp(actionsFolder.data()) == nullptr) {
        PrintError(err, kCommand, "cannot make a folder for the jobs in %s%s: %s",
                   tmpFolder.c_str(), fromEnvironment ? " ($TMPDIR)" : "", std::strerror(errno));
        return kExitWriteFailed;
    }
    const int jobs = static_cast<int>(std::min<size_t>(static_cast<size_t>(o.jobs), lines.size()));
    NoteJobsFolder(actionsFolder, jobs);
    std::vector<std::string> actionFiles;
    const std::vector<int> statuses = RunJobs(
        lines.size(), jobs,
        [&](const JobShare& share) {
            JobShare own = share;
            if (o.saveActions == nullptr) own.actionsPath.clear();
            return PlaceShare(o, pattern, lines, start, own, share.out, share.err);
        },
        kCommand, isatty(fileno(err)) != 0, actionsFolder, &actionFiles, out, err);
    int status = CombineJobStatuses(statuses);
    if (o.saveActions != nullptr) {
        // The set is written only whole: every job's actions read back.
        std::vector<standin::RecordedAction> all, some;
        std::string why, missing;
        for (int j = 0; j < jobs && missing.empty(); ++j) {
            const size_t begin = JobBegin(lines.size(), j, jobs) + 1;
            const size_t end = JobBegin(lines.size(), j + 1, jobs);
            const std::string lineRange = LinesText(begin, end);
            if (statuses[static_cast<size_t>(j)] == kJobDidNotEnd) {
                missing = "the job of " + lineRange + " did not run to its end";
            } else if (!standin::LoadActionSet(actionFiles[static_cast<size_t>(j)].c_str(), &some,
                                               &why)) {
                missing = "the actions of " + lineRange + " cannot be read back: " + why;
            } else {
                all.insert(all.end(), some.begin(), some.end());
            }
        }
        if (!missing.empty()) {
            PrintError(err, kCommand, "%s was not written (%s); it is as it was", o.saveActions,
                       missing.c_str());
            if (status == kExitOk) status = kExitWriteFailed;
        } else if (LeaveActionSet(all, status, o.saveActions, err)) {
            // Nothing placed: the old set stays.
        } else if (const int saved = SaveActions(all, o.saveActions, err); status == kExitOk) {
            status = saved;
        }
    }
    standin::RemoveFolderTree(actionsFolder);
    ForgetJobsFolder();
    if (InterruptSignal() != 0) status = InterruptedStatus();
    return status;
}
#endif

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
    const PatternFiles files = {o.output.output, &pattern, lines.size()};
    if (const int status =
            RefuseSharedFiles({{"TEXTS", o.texts, false}, {"--save-actions", o.saveActions, true}},
                              kCommand, err, o.output.output ? &files : nullptr);
        status >= 0)
        return status;
    if (!BeginHostCommand(o.host, kCommand, err)) return kExitUsage;
    // An interrupt stops the run at the next line, which then says how far
    // it got and saves the actions of the lines written.
    DeferInterrupts();
#if defined(_WIN32)
    const int status = PlaceAll(o, pattern, lines, bytes.data(), out, err);
#else
    const int status = o.jobs > 1 ? PlaceInJobs(o, pattern, lines, bytes.data(), out, err)
                                  : PlaceAll(o, pattern, lines, bytes.data(), out, err);
#endif
    EndHostCommand(o.host);
    return status;
}
