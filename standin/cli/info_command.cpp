#include "standin/cli/info_command.h"

#include <string>
#include <vector>

#include "standin/app/host_session.h"
#include "standin/cli/host_options.h"
#include "standin/cli/option_table.h"
#include "standin/cli/options.h"
#include "standin/dialogs/user_script.h"
#include "standin/suites/action_manager/action_manager.h"
#include "standin/suites/document/documents.h"
#include "standin/suites/filter_menu/filters.h"
#include "standin/host/host_errors.h"
#include "standin/host/pipl.h"
#include "standin/host/standin_app_folder.h"
#include "standin/text/cp932.h"

namespace {

constexpr char kCommand[] = "info";

constexpr char kUsage[] =
    "Usage: orvelk info [OPTIONS]\n"
    "\n"
    "Loads the plug-ins of the host application folder's Plug-ins folder as the host\n"
    "does, starts them, and lists each with its filters (category, title, and whether\n"
    "the filter menu enables it) and its action events (title, version, and each\n"
    "parameter's key, type and display name). Texts are printed in UTF-8. What the\n"
    "host and the plug-ins tell the user (skipped modules, error dialogs, alerts)\n"
    "goes to standard error.\n"
    "\n"
    "Options:\n"
    "  --document          open a document before listing, so that the filters show as\n"
    "                      the menu has them while a document is open (default: none open)\n"
    "  --app-folder DIR    the host application folder, which holds Plug-ins/ and Prefs/\n"
    "                      (default: $ORVELK_APP_FOLDER, else your own,\n"
    "                      $XDG_DATA_HOME/orvelk, made from the installed one)\n"
    "  --user SCRIPT       what the user does in dialogs the plug-ins show: steps\n"
    "                      'press ITEM', 'select ITEM INDEX', 'type ITEM TEXT', 'close',\n"
    "                      separated by ';' (default: press each dialog's default button)\n"
    "  -h, --help          show this help and exit\n"
    "\n"
    "Exit status: 0 when every module found loaded and started, 2 on bad usage, 4 when\n"
    "a module was skipped, a plug-in failed to start, or no plug-in was found, 5 when\n"
    "a step of --user could not be carried out or was left over, 8 when standard\n"
    "output cannot be written.\n";

struct InfoOptions {
    bool document = false;
    HostCommandOptions host;
};

// Parses the arguments into `o`. Returns -1 to go on, else the exit status.
int ParseOptions(int argc, char** argv, InfoOptions* o, FILE* out, FILE* err) {
    enum { kDocument = 256 };
    const std::vector<option> table = WithHostOptions({
        {"document", no_argument, nullptr, kDocument},
    });
    const int status = ScanOptions(argc, argv, kCommand, table, [&](int c, const char* arg) {
        switch (c) {
            case 'h': std::fputs(kUsage, out); return int{kExitOk};
            case kDocument: o->document = true; return -1;
            default: return TakeHostOption(c, arg, kCommand, &o->host, err);
        }
    }, err);
    return status >= 0 ? status : FinishOptionScan(argc, argv, kCommand, err);
}

std::string Utf8(const std::string& cp932) {
    return Cp932ToUtf8Lossy(cp932);
}

const char* TypeName(ActionParamTypeID type) {
    switch (type) {
        case kActionIntegerType:
            return "long";
        case kActionRealType:
            return "real";
        case kActionStringType:
            return "strn";
        default:
            return "?";
    }
}

std::string StateText(const standin::Plugin& plugin) {
    switch (plugin.state) {
        case standin::Plugin::State::kLoaded:
            return "loaded";
        case standin::Plugin::State::kStarted:
            return "started";
        case standin::Plugin::State::kStartupFailed:
            return "startup failed with error " + standin::ErrorText(plugin.startupError);
        case standin::Plugin::State::kShutDown:
            return "shut down";
    }
    return "?";
}

void PrintPlugin(FILE* out, standin::Plugin& plugin) {
    std::fprintf(out, "plug-in: %s (%s)\n", plugin.name.c_str(), StateText(plugin).c_str());
    std::fprintf(out, "  path: %s\n", plugin.path.c_str());
    std::fprintf(out, "  entry point: %s\n", plugin.properties.entryName.c_str());
    const SPPluginRef ref = standin::PluginRef(&plugin);
    for (const standin::Filter* filter : standin::Filters()) {
        if (filter->plugin != ref) continue;
        std::fprintf(out, "  filter: %s\n", filter->name.c_str());
        std::fprintf(out, "    category: %s\n", Utf8(filter->category).c_str());
        std::fprintf(out, "    title: %s\n", Utf8(filter->title).c_str());
        std::fprintf(out, "    enabled: %s\n", standin::IsFilterEnabled(*filter) ? "yes" : "no");
    }
    for (const standin::ActionEvent& event : standin::ActionEvents()) {
        if (event.plugin != ref) continue;
        std::fprintf(out, "  action event: %s\n", event.name.c_str());
        std::fprintf(out, "    title: %s\n", Utf8(event.localizedName).c_str());
        std::fprintf(out, "    version: %d\n", event.version);
        for (const standin::ActionParamKey& key : event.keys) {
            std::fprintf(out, "    parameter: %s %s \"%s\"%s\n",
                         standin::FourCharText(key.key).c_str(), TypeName(key.type),
                         Utf8(key.displayName).c_str(), key.shown ? "" : " (hidden)");
        }
    }
}

}  // namespace

int RunInfoCommand(int argc, char** argv, FILE* out, FILE* err) {
    InfoOptions o;
    const int parsed = ParseOptions(argc, argv, &o, out, err);
    if (parsed >= 0) return parsed;
    if (!BeginHostCommand(o.host, kCommand, err)) return kExitUsage;

    standin::ClearTranscript();
    standin::SetTranscriptListener([err](const standin::TranscriptEntry& entry) {
        PrintTranscriptEntry(err, kCommand, entry);
    });
    int status = kExitOk;
    {
        standin::HostSession session;
        standin::SetUserScript(o.host.steps);
        const std::string folder = standin::HostSession::DefaultPluginsFolder();
        if (!session.LoadAndStartPlugins(folder)) status = kExitPluginFailure;
        if (standin::Plugins().empty()) {
            PrintError(err, kCommand, "no plug-in was loaded from '%s'", folder.c_str());
            status = kExitPluginFailure;
        }
        if (o.document) standin::OpenDocument("Untitled-1");
        const std::vector<standin::Document*> documents = standin::Documents();
        std::fprintf(out, "documents: %s\n",
                     documents.empty() ? "none open" : (documents.front()->name + " open").c_str());
        for (const auto& plugin : standin::Plugins()) PrintPlugin(out, *plugin);
        session.End();
    }
    status = WithScriptStatus(status, FinishUserScript(o.host, kCommand, err));
    standin::SetTranscriptListener({});
    EndHostCommand(o.host);
    return status;
}
