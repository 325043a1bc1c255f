#include "standin/cli/about_command.h"

#include <cstring>
#include <string>
#include <vector>

#include "standin/app/host_session.h"
#include "standin/app/transcript_text.h"
#include "standin/cli/host_options.h"
#include "standin/cli/option_table.h"
#include "standin/cli/options.h"
#include "standin/cli/window_option.h"
#include "standin/dialogs/user_script.h"
#include "standin/host/host_errors.h"
#include "standin/host/standin_app_folder.h"

namespace {

constexpr char kCommand[] = "about";

constexpr char kUsage[] =
    "Usage: orvelk about [OPTIONS]\n"
    "\n"
    "Loads and starts the plug-ins of the host application folder's Plug-ins folder\n"
    "and sends each the About message, as the host's About Plug-ins menu does. Prints\n"
    "each About box in UTF-8: its title, then its texts, buttons in brackets and\n"
    "pictures as their bitmap resource. Messages go to standard error.\n"
    "\n"
    "Options:\n"
    "  --plugin NAME       only the plug-in whose module file is NAME (e.g. Orvelk.aip)\n"
    "  --app-folder DIR    the host application folder, which holds Plug-ins/ and Prefs/\n"
    "                      (default: $ORVELK_APP_FOLDER, else your own,\n"
    "                      $XDG_DATA_HOME/orvelk, made from the installed one)\n"
    "  --user SCRIPT       what the user does in the dialogs: steps 'press ITEM',\n"
    "                      'select ITEM INDEX', 'type ITEM TEXT', 'close', separated by ';'\n"
    "                      (default: press each dialog's default button)\n"
    "  -h, --help          show this help and exit\n"
    "\n"
    "Exit status: 0 when every plug-in asked showed its About box, 2 on bad usage, 4\n"
    "when a module was skipped, a plug-in failed to start or showed no About box, or\n"
    "no plug-in was found, 5 when a step of --user could not be carried out or was\n"
    "left over, 8 when standard output cannot be written.\n";

struct AboutOptions {
    const char* plugin = nullptr;
    HostCommandOptions host;
    WindowChoice windows = WindowChoice::kDefault;
};

// Parses the arguments into `o`. Returns -1 to go on, else the exit status.
int ParseOptions(int argc, char** argv, AboutOptions* o, FILE* out, FILE* err) {
    enum { kPlugin = 256 };
    std::vector<option> own = WindowOptions();
    own.push_back({"plugin", required_argument, nullptr, kPlugin});
    const std::vector<option> table = WithHostOptions(own);
    const int status = ScanOptions(argc, argv, kCommand, table, [&](int c, const char* arg) {
        switch (c) {
            case 'h': std::fputs(kUsage, out); return int{kExitOk};
            case kPlugin: o->plugin = arg; return -1;
            default:
                if (TakeWindowOption(c, &o->windows)) return -1;
                return TakeHostOption(c, arg, kCommand, &o->host, err);
        }
    }, err);
    return status >= 0 ? status : FinishOptionScan(argc, argv, kCommand, err);
}

// What the transcript listener does with the dialogs of an About message.
struct AboutCapture {
    FILE* out = nullptr;
    FILE* err = nullptr;
    const standin::Plugin* asked = nullptr;  // the plug-in being asked; null between messages
    bool shown = false;                      // it showed its About box
};

}  // namespace

int RunAboutCommand(int argc, char** argv, FILE* out, FILE* err) {
    AboutOptions o;
    const int parsed = ParseOptions(argc, argv, &o, out, err);
    if (parsed >= 0) return parsed;
    standin::WindowDialogSession windows;
    if (!BeginWindowDialogs(o.windows, false, !o.host.steps.empty(), &windows, kCommand, err))
        return kExitUsage;
    if (!BeginHostCommand(o.host, kCommand, err)) return kExitUsage;

    // The first dialog a plug-in shows for the About message is its About
    // box: its texts go to `out`. Everything else is a message.
    AboutCapture capture{out, err};
    standin::ClearTranscript();
    standin::SetTranscriptListener([&capture](const standin::TranscriptEntry& entry) {
        using Kind = standin::TranscriptEntry::Kind;
        if (entry.kind == Kind::kDialogClosed) return;
        if (entry.kind == Kind::kDialogShown && capture.asked != nullptr && !capture.shown &&
            entry.plugin == capture.asked->name) {
            capture.shown = true;
            std::fputs(standin::DialogText(entry, 2).c_str(), capture.out);
            return;
        }
        PrintTranscriptEntry(capture.err, kCommand, entry);
    });
    int status = kExitOk;
    {
        standin::HostSession session;
        standin::SetUserScript(o.host.steps);
        const std::string folder = standin::HostSession::DefaultPluginsFolder();
        if (!session.LoadAndStartPlugins(folder)) status = kExitPluginFailure;
        size_t asked = 0;
        for (const auto& plugin : standin::Plugins()) {
            if (o.plugin != nullptr && plugin->name != o.plugin) continue;
            ++asked;
            if (plugin->state != standin::Plugin::State::kStarted) continue;
            if (asked > 1) std::fputc('\n', out);
            capture.asked = plugin.get();
            capture.shown = false;
            const ASErr result = standin::AboutPlugin(plugin.get());
            capture.asked = nullptr;
            if (result != kSPNoError) {
                // A box shown or not, the message failed (a trapped call too).
                PrintError(err, kCommand, "%s answered \"About\" with error %s",
                           plugin->name.c_str(), standin::ErrorText(result).c_str());
                status = kExitPluginFailure;
            } else if (!capture.shown) {
                PrintError(err, kCommand, "%s showed no About box", plugin->name.c_str());
                status = kExitPluginFailure;
            }
        }
        if (asked == 0) {
            if (o.plugin != nullptr) {
                PrintError(err, kCommand, "no plug-in '%s' was loaded from '%s'", o.plugin,
                           folder.c_str());
            } else {
                PrintError(err, kCommand, "no plug-in was loaded from '%s'", folder.c_str());
            }
            status = kExitPluginFailure;
        }
        session.End();
    }
    status = WithScriptStatus(status, FinishUserScript(o.host, kCommand, err));
    standin::SetTranscriptListener({});
    EndHostCommand(o.host);
    return status;
}
