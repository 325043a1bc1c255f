#include "standin/cli/replay_command.h"

#include <map>
#include <string>
#include <vector>

#include "qr/symbol_encoder.h"
#include "standin/actions/action_set.h"
#include "standin/cli/document_output.h"
#include "standin/cli/host_options.h"
#include "standin/cli/options.h"
#include "standin/cli/placing_options.h"
#include "standin/app/play_session.h"
#include "standin/cli/play_failure.h"

namespace {

constexpr char kCommand[] = "replay";

constexpr char kUsageHead[] =
    "Usage: orvelk replay SET.json (-o FILE | --dump) [OPTIONS]\n"
    "\n"
    "Loads and starts the plug-ins of the host application folder's Plug-ins folder,\n"
    "opens a document and plays every action of the action set SET.json into it, in\n"
    "order, through the plug-in's \"Do Action\" with the recorded values, as the host's\n"
    "Actions palette plays a set; then prints the document's art tree (--dump) and\n"
    "exports it (-o). A set that 'orvelk batch --save-actions' wrote names for each\n"
    "action the document (the line) it went into: each of those documents is played\n"
    "and exported on its own, to the file of a pattern, so that the replay writes the\n"
    "batch's files again. Messages go to standard error.\n"
    "\n"
    "Options:\n"
    "  -o, --output FILE        export to FILE in the format of its extension (.svg,\n"
    "                           .pdf, .eps or .png); a run of '#' in its name stands\n"
    "                           for the document's number, zero-padded to the run's\n"
    "                           length (label-####.svg), which a set of several\n"
    "                           documents needs\n";

constexpr char kExitStatusUsage[] =
    "Exit status: 0 when every action played and every document was written, 2 on bad\n"
    "usage or a set that cannot be loaded, 3 when the symbol table file is missing or\n"
    "damaged, 4 when a module was skipped, a plug-in failed to start or none was found,\n"
    "5 when some actions failed or placed nothing, or some documents could not be\n"
    "written (each is named; the others were written, and a document that got no art\n"
    "keeps its old file) or a step of --user could not be carried out or was left\n"
    "over, 8 when standard output cannot be written, 128 + N when interrupted by\n"
    "signal N (130 for Ctrl-C, 143 for SIGTERM): what was being written is removed.\n";

struct ReplayOptions {
    const char* set = nullptr;
    DocumentOutputOptions output;
    HostCommandOptions host;
};

// Parses the arguments into `o`. Returns -1 to go on, else the exit status.
int ParseOptions(int argc, char** argv, ReplayOptions* o, FILE* out, FILE* err) {
    const PlacingCommand command = {kCommand, kUsageHead, kExitStatusUsage,
                                    "give the action set to play"};
    return ScanPlacingCommand(argc, argv, command, {}, {}, &o->output, &o->host, &o->set, out, err);
}

// The document an action goes into: the one it names, else the first.
int32_t DocumentOf(const standin::RecordedAction& action) {
    return action.document > 0 ? action.document : 1;
}

using DocumentActions = std::map<int32_t, std::vector<const standin::RecordedAction*>>;

// Plays each document's actions into a new document and writes it. An
// action that places nothing (it failed, or the mode's filter kept nothing
// of its text) is named and fails the run; a document that had actions and
// got no art from any of them is not exported, and its file stays as it was
// (--dump still prints its empty tree).
// Returns the exit status.
int PlayDocuments(PlaySession& session, const std::vector<standin::RecordedAction>& actions,
                  const DocumentActions& documents, const ReplayOptions& o,
                  const OutputPattern& pattern, FILE* out, FILE* err) {
    int status = kExitOk;
    for (const auto& [number, played] : documents) {
        standin::Document* document = standin::OpenDocument(PlayDocumentName(number));
        for (const standin::RecordedAction* action : played) {
            const size_t artBefore = document->art.children.size();
            const ASErr result = session.Play(*action, document);
            const size_t index = static_cast<size_t>(action - actions.data()) + 1;
            if (result == kSPNoError) {
                if (document->art.children.size() == artBefore) {
                    PrintError(err, kCommand,
                               "action %zu: nothing was placed: the mode's filter kept nothing "
                               "of the text",
                               index);
                    status = kExitSomeFailed;
                }
                continue;
            }
            PrintError(err, kCommand, "action %zu: %s", index, PlayFailureText(result).c_str());
            // Without its table file no symbol can be drawn at all.
            if (result == kQRTableFileDamaged) return kExitTableFile;
            status = kExitSomeFailed;
        }
        std::string path =
            o.output.output != nullptr ? PatternFileName(pattern, number) : std::string();
        if (!played.empty() && document->art.children.empty() && !path.empty()) {
            // Its tree is still dumped: the document exists, empty.
            PrintError(err, kCommand, "'%s' was not written: nothing was placed in document %d",
                       path.c_str(), number);
            path.clear();
        }
        std::string why;
        if (!EmitDocument(*document, path, o.output, out, &why)) {
            PrintError(err, kCommand, "%s", why.c_str());
            status = kExitSomeFailed;
        } else if (!path.empty()) {
            const std::string note = PngModuleNote(*document, path, o.output.exportOptions.dpi);
            if (!note.empty()) PrintError(err, kCommand, "note: %s", note.c_str());
        }
        standin::CloseDocument(document);
    }
    return status;
}

}  // namespace

int RunReplayCommand(int argc, char** argv, FILE* out, FILE* err) {
    ReplayOptions o;
    if (const int status = ParseOptions(argc, argv, &o, out, err); status >= 0) return status;

    OutputPattern pattern;
    std::string why;
    if (o.output.output != nullptr && !FindOutputPattern(o.output.output, &pattern, &why)) {
        PrintError(err, kCommand, "-o %s", why.c_str());
        return kExitUsage;
    }
    std::vector<standin::RecordedAction> actions;
    if (!standin::LoadActionSet(o.set, &actions, &why)) {
        PrintError(err, kCommand, "%s", why.c_str());
        return kExitUsage;
    }
    // The documents by number, each with its actions in the set's order.
    DocumentActions documents;
    for (const standin::RecordedAction& action : actions)
        documents[DocumentOf(action)].push_back(&action);
    if (documents.empty()) documents[1];  // an empty set still gives its document
    if (o.output.output != nullptr && pattern.width == 0 && documents.size() > 1) {
        PrintError(err, kCommand,
                   "the set places its actions into %zu documents: give -o a file name with a "
                   "run of '#' for their numbers (label-####.svg)",
                   documents.size());
        return kExitUsage;
    }
    if (!BeginHostCommand(o.host, kCommand, err)) return kExitUsage;

    int status = kExitOk;
    {
        PlaySession session(kCommand, o.host, err);
        status = session.Start() ? -1 : kExitPluginFailure;
        if (status < 0) status = PlayDocuments(session, actions, documents, o, pattern, out, err);
    }
    if (status != kExitTableFile && status != kExitPluginFailure)
        status = WithScriptStatus(status, FinishUserScript(o.host, kCommand, err));
    EndHostCommand(o.host);
    return status;
}
