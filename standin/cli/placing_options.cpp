#include "standin/cli/placing_options.h"

#include "standin/cli/option_table.h"
#include "standin/cli/options.h"

namespace {

const char kHostUsage[] =
    "  --app-folder DIR         the host application folder, which holds Plug-ins/ and\n"
    "                           Prefs/ (default: $ORVELK_APP_FOLDER, else your own,\n"
    "                           $XDG_DATA_HOME/orvelk, made from the installed one)\n"
    "  --user SCRIPT            what the user does in dialogs the plug-ins show (see\n"
    "                           'orvelk info --help'; default: press the default button)\n"
    "  -h, --help               show this help and exit\n"
    "\n";

}  // namespace

int ScanPlacingCommand(int argc, char** argv, const PlacingCommand& command,
                       std::vector<option> own, const OwnOptionTaker& takeOwn,
                       DocumentOutputOptions* output, HostCommandOptions* host,
                       const char** argument, FILE* out, FILE* err) {
    own.insert(own.end(), {
                              {"output", required_argument, nullptr, 'o'},
                              {"dump", no_argument, nullptr, kOptionDump},
                              {"crop", required_argument, nullptr, kOptionCrop},
                              {"dpi", required_argument, nullptr, kOptionDpi},
                              {"transparent", no_argument, nullptr, kOptionTransparent},
                          });
    const std::vector<option> options = WithHostOptions(std::move(own));
    const int status = ScanOptions(argc, argv, command.name, options, [&](int c, const char* arg) {
        if (c == 'h') {
            std::fputs(command.usageHead, out);
            if (command.settingsUsage != nullptr) std::fputs(command.settingsUsage, out);
            std::fputs(kDocumentOutputUsage, out);
            std::fputs(kHostUsage, out);
            std::fputs(command.exitStatusUsage, out);
            return int{kExitOk};
        }
        int taken = takeOwn ? takeOwn(c, arg) : -2;
        if (taken == -2) taken = TakeDocumentOutputOption(c, arg, command.name, output, err);
        if (taken == -2) taken = TakeHostOption(c, arg, command.name, host, err);
        return taken;
    }, err);
    if (status >= 0) return status;
    if (command.missingArgument != nullptr) {
        if (optind == argc) {
            PrintError(err, command.name, "%s (see --help)", command.missingArgument);
            return kExitUsage;
        }
        *argument = argv[optind++];
    }
    if (const int status = FinishOptionScan(argc, argv, command.name, err); status >= 0)
        return status;
    if (!command.needsOutput && output->output == nullptr) return -1;
    return CheckDocumentOutput(*output, command.name, err);
}
