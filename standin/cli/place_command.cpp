#include "standin/cli/place_command.h"

#include <sys/stat.h>

#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "contract/dialog_ids.h"
#include "contract/filter_action.h"
#include "contract/symbol_settings.h"
#include "qr/symbol_encoder.h"
#include "sjis/shift_jis.h"
#include "standin/actions/action_set.h"
#include "standin/cli/document_output.h"
#include "standin/cli/host_options.h"
#include "standin/cli/option_values.h"
#include "standin/cli/input_text.h"
#include "standin/cli/interrupts.h"
#include "standin/cli/options.h"
#include "standin/cli/orvelk_action.h"
#include "standin/cli/place_dialog.h"
#include "standin/cli/placing_options.h"
#include "standin/app/play_session.h"
#include "standin/cli/play_failure.h"
#include "standin/cli/settings_save_check.h"
#include "standin/cli/shared_files.h"
#include "standin/cli/symbol_options.h"
#include "standin/cli/window_option.h"
#include "standin/suites/adm/dialog_back_end.h"
#include "standin/suites/adm/dialog_manager.h"
#include "standin/export/art_dump.h"
#include "standin/suites/filter_menu/filters.h"
#include "standin/host/host_errors.h"
#include "standin/render/picture_module.h"
#include "ui/escape_text.h"

namespace {

constexpr char kCommand[] = "place";

// The usage texts name the preview and the information text by their items.
static_assert(kPreviewItem == 3 && kInfoTextItem == 14,
              "the usage texts of 'orvelk place' need the dialog's new items");

constexpr char kUsageHead[] =
    "Usage: orvelk place [OPTIONS]\n"
    "\n"
    "Does what a user does who picks the Orvelk filter from the host's filter menu:\n"
    "loads and starts the plug-ins of the host application folder, opens a document,\n"
    "sends \"AI Get Parameters\", for which the plug-in shows its settings dialog, and,\n"
    "unless the dialog was cancelled, \"AI Go\", for which it places the symbol at the\n"
    "centre of the view; then exports the document. The dialog options below are what\n"
    "the user does in the dialog: each chooses an entry of its popup, in the dialog's\n"
    "order from the top, or types the text into the text field; then come the steps\n"
    "of --user, then OK (Cancel with --cancel) unless --user's steps end the dialog\n"
    "themselves. A popup left alone keeps what the dialog opens with: the plug-in's\n"
    "settings, as the preferences file of the last OK holds them (the mask is never\n"
    "saved). OK saves the preferences file. Quiet when the symbol was placed and\n"
    "written: standard error shows only what needs the user (errors, error dialogs,\n"
    "beeps, notes such as characters the mode dropped); --verbose adds the dialog as\n"
    "shown, the button that closed it with item 14's text and item 3's rectangle in\n"
    "pixels at that moment.\n"
    "\n"
    "Dialog options:\n"
    "  --text TEXT              the text to type (the plug-in turns the typed escapes\n"
    "                           \\n, \\r and \\t into line breaks and a tab)\n"
    "  --text-file FILE         type the text of FILE, '-' for standard input (raw\n"
    "                           bytes; a NUL byte ends it)\n"
    "  --bytes                  take the text's bytes as they are: UTF-8 goes into the\n"
    "                           symbol as UTF-8 bytes (8-bit byte mode), which most\n"
    "                           readers show as UTF-8; needed for characters that code\n"
    "                           page 932 lacks (é, emoji)\n"
    "  --input-encoding ENC     utf-8 (default; converted to code page 932), or cp932\n"
    "                           or bytes (the bytes pass unchanged); at most 8192\n"
    "                           bytes of code page 932\n"
    "  --level L|M|Q|H          the error-correction level\n"
    "  --version auto|0-40      the version; auto or 0 takes the smallest that fits\n"
    "  --mode N|A|B|K|M         numeric, alphanumeric, 8-bit byte, Kanji or mixed\n"
    "                           Kanji/byte\n"
    "  --cell MM                the cell size in millimetres, one of the popup's\n"
    "                           0.20, 0.25, 0.33, 0.50, 0.75, 1.00, 1.50, 2.00, 3.00,\n"
    "                           4.00 and 5.00 (0.2 and 0.5 are taken as well)\n"
    "  --mask auto|0-7          the mask pattern; auto chooses by penalty score\n"
    "  --cancel                 press Cancel instead of OK: nothing is placed\n"
    "  --show-dialog FILE.png   write the dialog as the user saw it when OK or Cancel\n"
    "                           was pressed\n"
    "  --show-preview FILE.png  write item 3's pixels alone (its whole rectangle,\n"
    "                           frame included) as the plug-in's preview left them\n"
    "\n"
    "Other options:\n"
    "  --interactive            show the dialogs in windows on the display for you to\n"
    "                           use (the default when standard input is a terminal,\n"
    "                           a display is named and no dialog option or --user is\n"
    "                           given); the text reaches the plug-in as you type\n"
    "  --no-interactive         run the dialogs with the steps of the options above\n"
    "  --no-dialog              send \"AI Go\" alone, as the host's \"apply the filter\n"
    "                           again\" does: the symbol of the settings the plug-in\n"
    "                           holds (no dialog options then)\n"
    "  --record SET.json        record with the Actions palette on and save what the\n"
    "                           plug-in recorded; 'orvelk replay SET.json -o FILE'\n"
    "                           writes the same files again\n"
    "  --strict                 place nothing when the mode's filter drops or changes\n"
    "                           characters of the text (status 7); without it they\n"
    "                           are counted in a note\n"
    "  --verbose                print the settings dialog as shown and as closed (the\n"
    "                           button, item 14's text, item 3's rectangle)\n"
    "  -o, --output FILE        export the document to FILE in the format of its\n"
    "                           extension (.svg, .pdf, .eps or .png); may be given\n"
    "                           more than once\n";

constexpr char kExitStatusUsage[] =
    "Exit status: 0 when the symbol was placed and every file asked for was written,\n"
    "1 when the text does not fit (the plug-in beeps; no -o file) or is longer than\n"
    "8192 bytes, 2 on bad usage or a text that cannot be read or converted or that\n"
    "is empty, 3 when the symbol table file is missing or damaged, 4 when a module\n"
    "was skipped, a plug-in failed to start, none added the filter, or the plug-in\n"
    "failed otherwise, 5 when a step of the user could not be carried out or was\n"
    "left over, 6 when the dialog was cancelled (nothing placed, recorded or\n"
    "exported; --show-dialog and --show-preview are written), 7 when the mode's\n"
    "filter kept nothing of the text (an existing -o file is left as it was;\n"
    "--record saves the action, which the plug-in records like a success) or,\n"
    "with --strict, dropped or changed some of it, 8 when a file cannot be\n"
    "written (a picture that cannot be written after OK places nothing, and the\n"
    "-o and --record files left unwritten are named), 9 when everything was\n"
    "placed and written but the plug-in could not save its settings at OK (the\n"
    "cause is said where it can be seen; the preferences file is as it was),\n"
    "128 + N when interrupted by signal N (130 for Ctrl-C, 143 for SIGTERM): what\n"
    "was being written is removed.\n";

// getopt_long values of the command's own options.
enum PlaceOption {
    kOptionText = 256,
    kOptionTextFile,
    kOptionInputEncoding,
    kOptionBytes,
    kOptionLevel,
    kOptionVersion,
    kOptionMode,
    kOptionCell,
    kOptionMask,
    kOptionCancel,
    kOptionNoDialog,
    kOptionRecord,
    kOptionShowDialog,
    kOptionShowPreview,
    kOptionVerbose,
    kOptionStrict,
};

struct PlaceOptions {
    InputTextSource text;
    DialogChoices choices;
    bool cancel = false;
    bool noDialog = false;
    const char* record = nullptr;
    const char* showDialog = nullptr;
    const char* showPreview = nullptr;
    bool verbose = false;
    bool strict = false;
    std::vector<const char*> outputs;  // every -o
    DocumentOutputOptions output;
    HostCommandOptions host;
    WindowChoice windows = WindowChoice::kDefault;

    // Whether the user's steps are given: an option that acts in the dialog,
    // or --user.
    bool ScriptsDialog() const {
        const DialogChoices& c = choices;
        return text.text != nullptr || text.file != nullptr || c.level >= 0 || c.version >= 0 ||
               c.mode >= 0 || c.cell >= 0 || c.mask >= 0 || cancel || !host.steps.empty();
    }

    // Whether an option of the dialog was given.
    bool DrivesDialog() const {
        const DialogChoices& c = choices;
        return text.text != nullptr || text.file != nullptr || c.level >= 0 || c.version >= 0 ||
               c.mode >= 0 || c.cell >= 0 || c.mask >= 0 || cancel || showDialog != nullptr ||
               showPreview != nullptr;
    }
};

// The entry of `arg` among `names` into *entry, in any case; names past the
// first `entries` stand for the entry at their index modulo `entries`
// ("byte" for B). Returns -1, else kExitUsage with `what` and the argument.
int TakeNamedEntry(const char* arg, const std::vector<std::string_view>& names, int32_t entries,
                   const char* what, int32_t* entry, FILE* err) {
    const int i = MatchName(arg, names);
    if (i < 0) {
        PrintError(err, kCommand, "%s, not '%s'", what, arg);
        return kExitUsage;
    }
    *entry = static_cast<int32_t>(i % entries);
    return -1;
}

// "auto" or a number from 0 to `highest` into *entry (auto: 0, a number n:
// n + `offset`): -1, else kExitUsage with `what` and the argument.
int TakeAutoOrNumber(const char* arg, long highest, int32_t offset, const char* what,
                     int32_t* entry, FILE* err) {
    long n = 0;
    if (SameIgnoringCase(arg, "auto")) {
        *entry = 0;
    } else if (ParseIntInRange(arg, 0, highest, &n)) {
        *entry = static_cast<int32_t>(n) + offset;
    } else {
        PrintError(err, kCommand, "%s, not '%s'", what, arg);
        return kExitUsage;
    }
    return -1;
}

// Takes one of the command's own options. Returns -2 when `c` is not one of
// them, -1 when it was taken, or the exit status of a bad value.
int TakePlaceOption(int c, const char* arg, PlaceOptions* o, FILE* err) {
    DialogChoices& choices = o->choices;
    switch (c) {
        case 'o':
            o->outputs.push_back(arg);
            return -2;  // the output options take it too
        case kOptionText:
            o->text.text = arg;
            return -1;
        case kOptionTextFile:
            o->text.file = arg;
            return -1;
        case kOptionBytes:
            o->text.encoding = InputEncoding::kCp932;
            return -1;
        case kOptionInputEncoding:
            if (!ParseInputEncoding(arg, &o->text.encoding)) {
                PrintError(err, kCommand, "--input-encoding takes utf-8, bytes or cp932, not '%s'",
                           arg);
                return kExitUsage;
            }
            return -1;
        case kOptionLevel:
            return TakeNamedEntry(arg, {"L", "M", "Q", "H"}, 4, "--level takes L, M, Q or H",
                                  &choices.level, err);
        case kOptionMode:
            // The dialog's popup has no automatic mode.
            return TakeNamedEntry(arg,
                                  {"N", "A", "B", "K", "M", "numeric", "alphanumeric", "byte",
                                   "kanji", "mixed"},
                                  5, "--mode takes N, A, B, K or M (the dialog's modes)",
                                  &choices.mode, err);
        case kOptionVersion:
            return TakeAutoOrNumber(arg, 40, 0, "--version takes auto or a number from 0 to 40",
                                    &choices.version, err);
        case kOptionMask:
            return TakeAutoOrNumber(arg, 7, 1, "--mask takes auto or a number from 0 to 7",
                                    &choices.mask, err);
        case kOptionCell:
            if (!ParseCellSize(arg, &choices.cell)) {
                PrintError(err, kCommand, "--cell takes one of %s (millimetres), not '%s'",
                           CellSizeList().c_str(), arg);
                return kExitUsage;
            }
            return -1;
        case kOptionCancel:
            o->cancel = true;
            return -1;
        case kOptionNoDialog:
            o->noDialog = true;
            return -1;
        case kOptionRecord:
            o->record = arg;
            return -1;
        case kOptionVerbose:
            o->verbose = true;
            return -1;
        case kOptionStrict:
            o->strict = true;
            return -1;
#if defined(_WIN32)
        // The pictures are drawn with cairo and pango, which this build has not.
        case kOptionShowDialog:
        case kOptionShowPreview:
            PrintError(err, kCommand, "%s: this build draws no pictures (it has no cairo or pango)",
                       c == kOptionShowDialog ? "--show-dialog" : "--show-preview");
            return kExitUsage;
#else
        case kOptionShowDialog:
            o->showDialog = arg;
            return -1;
        case kOptionShowPreview:
            o->showPreview = arg;
            return -1;
#endif
        default:
            return -2;
    }
}

// Parses the arguments into `o`. Returns -1 to go on, else the exit status.
int ParseOptions(int argc, char** argv, PlaceOptions* o, FILE* out, FILE* err) {
    PlacingCommand command = {kCommand, kUsageHead, kExitStatusUsage, nullptr};
    command.needsOutput = false;
    const char* none = nullptr;
    o->output.manyOutputs = true;  // each -o is written (o->outputs)
    const int status = ScanPlacingCommand(
        argc, argv, command,
        {
            {"text", required_argument, nullptr, kOptionText},
            {"text-file", required_argument, nullptr, kOptionTextFile},
            {"input-encoding", required_argument, nullptr, kOptionInputEncoding},
            {"bytes", no_argument, nullptr, kOptionBytes},
            {"level", required_argument, nullptr, kOptionLevel},
            {"version", required_argument, nullptr, kOptionVersion},
            {"mode", required_argument, nullptr, kOptionMode},
            {"cell", required_argument, nullptr, kOptionCell},
            {"mask", required_argument, nullptr, kOptionMask},
            {"cancel", no_argument, nullptr, kOptionCancel},
            {"no-dialog", no_argument, nullptr, kOptionNoDialog},
            {"record", required_argument, nullptr, kOptionRecord},
            {"show-dialog", required_argument, nullptr, kOptionShowDialog},
            {"show-preview", required_argument, nullptr, kOptionShowPreview},
            {"verbose", no_argument, nullptr, kOptionVerbose},
            {"strict", no_argument, nullptr, kOptionStrict},
            {"interactive", no_argument, nullptr, kOptionInteractive},
            {"no-interactive", no_argument, nullptr, kOptionNoInteractive},
        },
        [o, err](int c, const char* arg) {
            if (TakeWindowOption(c, &o->windows)) return -1;
            return TakePlaceOption(c, arg, o, err);
        },
        &o->output, &o->host, &none, out, err);
    if (status >= 0) return status;
    if (o->text.text != nullptr && o->text.file != nullptr) {
        PrintError(err, kCommand, "give the text with --text or --text-file, not both");
        return kExitUsage;
    }
    if (o->noDialog && o->DrivesDialog()) {
        PrintError(err, kCommand,
                   "--no-dialog places with the settings the plug-in holds: it takes none of the "
                   "dialog's options (see --help)");
        return kExitUsage;
    }
    if (o->outputs.empty() && !o->output.dump && o->record == nullptr && o->showDialog == nullptr &&
        o->showPreview == nullptr) {
        PrintError(err, kCommand,
                   "nothing to write: give -o FILE, --dump, --record, --show-dialog or "
                   "--show-preview (see --help)");
        return kExitUsage;
    }
    // The scan checked the last -o; the others are checked here.
    for (const char* path : o->outputs) {
        DocumentOutputOptions one = o->output;
        one.output = path;
        if (const int bad = CheckDocumentOutput(one, kCommand, err); bad >= 0) return bad;
    }
    std::vector<NamedFile> files;
    for (const char* path : o->outputs) files.push_back({"-o", path, true});
    files.insert(files.end(), {{"--record", o->record, true},
                               {"--show-dialog", o->showDialog, true},
                               {"--show-preview", o->showPreview, true},
                               {"--text-file", o->text.file, false}});
    return RefuseSharedFiles(files, kCommand, err);
}

// One run of the filter in a started session: the dialog, the drawing, the
// files.
class Placement {
  public:
    Placement(const PlaceOptions& o, FILE* out, FILE* err) : o_(o), out_(out), err_(err) {}

    // Runs the filter `filter` into `document` with the user's `steps`.
    // Returns the exit status.
    int Run(const standin::Filter* filter, standin::Document* document,
            std::vector<standin::UserStep> steps) {
        standin::SetActionRecording(o_.record != nullptr);
        standin::ClearClosedDialogs();
        standin::SetUserScript(std::move(steps));
        bool settingsSaved = true;
        if (!o_.noDialog) {
            NoteSettingsTemporaryFiles(SettingsFolderPath());
            const SettingsFileState before = TakeSettingsFileState();
            const int status = AskParameters(filter);
            if (status >= 0) return status;
            // OK was pressed, which saves the settings.
            settingsSaved = SettingsFileWritten(before);
            if (!settingsSaved) PrintError(err_, kCommand, "%s", SettingsSaveFailureText().c_str());
        }
        const size_t beepsBefore = Beeps();
        const ASErr result = standin::SendFilterGo(filter);
        if (const int status = UserStepsStatus(); status >= 0) return status;
        if (result != kSPNoError) return GoFailure(result, HeldNoText(beepsBefore));
        int status = kExitOk;
        if (document->art.children.empty()) {
            PrintError(err_, kCommand,
                       "nothing was placed: the mode's filter kept nothing of the text");
            NoteUnwrittenOutputs();
            status = kExitNothingLeft;
        } else {
            status = Export(*document);
        }
        if (o_.record != nullptr) {
            std::string why;
            if (!standin::SaveActionSet(standin::RecordedActions(), o_.record, &why)) {
                PrintError(err_, kCommand, "%s", why.c_str());
                status = kExitWriteFailed;
            } else if (status == kExitNothingLeft) {
                PrintError(err_, kCommand,
                           "note: the plug-in recorded the placement all the same: '%s' holds it",
                           o_.record);
            }
        }
        if (status == kExitOk && !settingsSaved) status = kExitSettingsNotSaved;
        return status;
    }

  private:
    // An -o file that exists was not written by this run and is left as it
    // was: said, so that it is not taken for this run's symbol. With
    // `everyFile`, the new -o files and --record are named too, as files
    // the run was asked for and did not write.
    void NoteUnwrittenOutputs(bool everyFile = false) const {
        std::vector<const char*> paths = o_.outputs;
        if (everyFile && o_.record != nullptr) paths.push_back(o_.record);
        for (const char* path : paths) {
            struct stat st;
            if (stat(path, &st) == 0)
                PrintError(err_, kCommand, "'%s' was not written: it holds what it held before",
                           path);
            else if (everyFile)
                PrintError(err_, kCommand, "'%s' was not written", path);
        }
    }

    // "AI Get Parameters": the dialog, its transcript lines and pictures.
    // Returns -1 to go on to "AI Go", else the exit status.
    int AskParameters(const standin::Filter* filter) {
        const ASErr result = standin::SendFilterGetParameters(filter);
        const standin::DialogSnapshot* closed = standin::LastClosedDialog(kSettingsDialogID);
        int status = -1;
        if (closed != nullptr) {
            if (o_.verbose)
                std::fprintf(err_, "orvelk %s: %s", kCommand, ClosedDialogText(*closed).c_str());
            status = WritePictures(*closed);
            if (result == kSPNoError && status >= 0 &&
                (!o_.outputs.empty() || o_.record != nullptr || o_.output.dump)) {
                // OK was pressed, but the run stops here: what it was to
                // write after the dialog is named.
                PrintError(err_, kCommand, "nothing was placed, as a picture could not be written");
                NoteUnwrittenOutputs(true);
            }
            if (result == kSPNoError && status < 0) status = NoteFilterLoss(*closed);
        } else if (o_.showDialog != nullptr || o_.showPreview != nullptr) {
            PrintError(err_, kCommand, "the settings dialog was not shown: no picture of it");
            status = kExitPluginFailure;
        }
        if (const int steps = UserStepsStatus(); steps >= 0) return steps;
        if (result == kCanceledErr) {
            PrintError(err_, kCommand, "note: the dialog was cancelled: nothing was placed");
            return status >= 0 ? status : kExitCancelled;
        }
        if (result != kSPNoError) {
            PrintError(err_, kCommand, "the plug-in's dialog failed (error %s)",
                       standin::ErrorText(result).c_str());
            return kExitPluginFailure;
        }
        return status;
    }

    // What the chosen mode's filter does to the text the dialog closed
    // with: a note of the characters dropped or changed, as encode and batch
    // give. Returns -1 to go on, else kExitNothingLeft when --strict refuses
    // the loss.
    int NoteFilterLoss(const standin::DialogSnapshot& closed) const {
        const standin::SnapshotItem* text = standin::FindSnapshotItem(closed, kTextItem);
        const standin::SnapshotItem* mode = standin::FindSnapshotItem(closed, kModePopupItem);
        if (text == nullptr || mode == nullptr || mode->selected < 0 ||
            mode->selected >= kModeIndexCount)
            return -1;
        // The plug-in encodes the typed text with its escapes turned into
        // line breaks and tabs.
        std::string escaped(text->text.size() + 1, '\0');
        escaped.resize(TranslateEscapes(text->text.c_str(), escaped.data()));
        SymbolOptions settings;
        settings.mode = kModeIndexLetters[mode->selected];
        settings.strict = o_.strict;
        char chosen = 0;
        std::string note;
        const bool accepted = ResolveMode(settings, escaped, &chosen, &note);
        if (note.empty()) return -1;
        if (accepted) {
            PrintError(err_, kCommand, "note: %s", note.c_str());
            return -1;
        }
        PrintError(err_, kCommand, "%s (--strict): nothing was placed", note.c_str());
        return kExitNothingLeft;
    }

    // --show-dialog and --show-preview. Returns -1, else kExitWriteFailed.
    int WritePictures(const standin::DialogSnapshot& closed) {
        std::string why;
        if (o_.showDialog != nullptr && !standin::SaveDialogPicture(closed, o_.showDialog, &why)) {
            PrintError(err_, kCommand, "%s", why.c_str());
            return kExitWriteFailed;
        }
        if (o_.showPreview != nullptr &&
            !standin::SaveItemPicture(closed, kPreviewItem, o_.showPreview, &why)) {
            PrintError(err_, kCommand, "%s", why.c_str());
            return kExitWriteFailed;
        }
        return -1;
    }

    // kExitSomeFailed with a message when a step of the user could not be carried
    // out or was never taken; else -1.
    int UserStepsStatus() const {
        const size_t failed = standin::FailedUserSteps();
        const size_t leftover = standin::LeftoverUserSteps();
        if (failed == 0 && leftover == 0) return -1;
        PrintError(err_, kCommand,
                   "the user's steps did not fit the dialogs: %zu could not be carried out, %zu "
                   "were left over",
                   failed, leftover);
        return kExitSomeFailed;
    }

    // Whether "AI Go"'s -1, which the host gets both for an empty text and
    // for one that does not fit, was for an empty text. After the dialog the
    // plug-in holds the text the dialog closed with, so item 13 is asked:
    // empty, or a lead byte alone, which the plug-in's escape translation
    // drops. Without the dialog only the beep tells: the plug-in sounds it
    // for a drawing that failed, never for an empty text.
    bool HeldNoText(size_t beepsBefore) const {
        const standin::DialogSnapshot* closed =
            o_.noDialog ? nullptr : standin::LastClosedDialog(kSettingsDialogID);
        if (closed != nullptr) {
            for (const standin::SnapshotItem& item : closed->items) {
                if (item.id != kTextItem) continue;
                const auto first = static_cast<uint8_t>(item.text.empty() ? 0 : item.text[0]);
                return item.text.empty() || (item.text.size() == 1 && IsKanjiLeadByte(first));
            }
        }
        return Beeps() == beepsBefore;
    }

    // What a failed "AI Go" means; `noText` tells an empty text from one
    // that does not fit.
    int GoFailure(ASErr result, bool noText) const {
        if (result == kQRDoesNotFit && noText) {
            PrintError(err_, kCommand, "the plug-in holds no text to place (error -1)");
            return kExitUsage;
        }
        PrintError(err_, kCommand, "%s", PlayFailureText(result).c_str());
        switch (result) {
            case kQRDoesNotFit:
                return kExitDoesNotFit;
            case kQRTableFileDamaged:
                return kExitTableFile;
            default:
                return kExitPluginFailure;
        }
    }

    // --dump and every -o. Returns kExitOk, else kExitWriteFailed.
    int Export(const standin::Document& document) const {
        if (o_.output.dump) std::fputs(standin::DumpArtTree(document).c_str(), out_);
        int status = kExitOk;
        for (const char* path : o_.outputs) {
            std::string why;
            if (!standin::ExportDocument(document, path, o_.output.exportOptions, &why)) {
                PrintError(err_, kCommand, "%s", why.c_str());
                status = kExitWriteFailed;
                continue;
            }
            const std::string note =
                PngModuleNote(document, path, o_.output.exportOptions.dpi);
            if (!note.empty()) PrintError(err_, kCommand, "note: %s", note.c_str());
        }
        return status;
    }

    static size_t Beeps() {
        size_t beeps = 0;
        for (const standin::TranscriptEntry& e : standin::Transcript())
            beeps += e.kind == standin::TranscriptEntry::Kind::kBeep ? 1 : 0;
        return beeps;
    }

    const PlaceOptions& o_;
    FILE* out_;
    FILE* err_;
};

// The filter the Orvelk plug-in added; null when none did.
const standin::Filter* FindOrvelkFilter() {
    for (const standin::Filter* filter : standin::Filters())
        if (filter->name == kQRFilterName) return filter;
    return nullptr;
}

}  // namespace

int RunPlaceCommand(int argc, char** argv, FILE* out, FILE* err) {
    PlaceOptions o;
    if (const int status = ParseOptions(argc, argv, &o, out, err); status >= 0) return status;
    if (o.text.text != nullptr || o.text.file != nullptr) {
        std::string note, why;
        const InputTextResult loaded = LoadInputText(o.text, &o.choices.text, &note, &why);
        if (!note.empty()) PrintError(err, kCommand, "note: %s", note.c_str());
        if (loaded != InputTextResult::kOk) {
            PrintError(err, kCommand, "%s", why.c_str());
            return loaded == InputTextResult::kTooLong ? kExitDoesNotFit : kExitUsage;
        }
        o.choices.typeText = true;
    }
    // In windows the person does what the steps would; the steps given
    // exclude them, and by default keep the dialogs scripted.
    standin::WindowDialogSession windows;
    if (o.windows == WindowChoice::kWindows && o.ScriptsDialog()) {
        PrintError(err, kCommand,
                   "--interactive leaves the dialog to you: it takes none of --text, "
                   "--text-file, --level, --version, --mode, --cell, --mask, --cancel or --user");
        return kExitUsage;
    }
    if (!BeginWindowDialogs(o.windows, !o.ScriptsDialog(), o.ScriptsDialog(), &windows, kCommand,
                            err))
        return kExitUsage;
    std::vector<standin::UserStep> steps;
    if (standin::CurrentDialogBackEnd() == nullptr)
        steps = o.noDialog ? o.host.steps : DialogSteps(o.choices, o.host.steps, o.cancel);
    if (!BeginHostCommand(o.host, kCommand, err)) return kExitUsage;

    int status = kExitOk;
    {
        // The user's steps are for the filter's dialogs, not for startup's.
        HostCommandOptions host{o.host.appFolder, {}};
        if (!o.verbose) host.quietDialog = kSettingsDialogID;
        PlaySession session(kCommand, host, err);
        status = session.Start() ? -1 : kExitPluginFailure;
        if (status < 0) {
            const standin::Filter* filter = FindOrvelkFilter();
            if (filter == nullptr) {
                PrintError(err, kCommand, "no plug-in added the filter '%s'", kQRFilterName);
                status = kExitPluginFailure;
            } else {
                standin::Document* document = standin::OpenDocument(PlayDocumentName(1));
                status = Placement(o, out, err).Run(filter, document, steps);
            }
        }
    }
    EndHostCommand(o.host);
    return status;
}
