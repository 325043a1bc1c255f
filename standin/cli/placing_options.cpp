#include "standin/cli/placing_options.h"

#include "standin/cli/options.h"

namespace {

const char kHostUsage[] =
    "  --app-folder DIR         the host application folder, which holds Plug-ins/ and\n"
    "                           Prefs/ (default: $ORVELK_APP_FOLDER, else the folder the\n"
    "                           build laid out)\n"
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
    ResetOptionScan();
    int c;
    while ((c = getopt_long(argc, argv, "ho:", options.data(), nullptr)) != -1) {
        if (c == 'h') {
            std::fputs(command.usageHead, out);
            std::fputs(kDocumentOutputUsage, out);
            std::fputs(kHostUsage, out);
            std::fputs(command.exitStatusUsage, out);
            return kExitOk;
        }
        int taken = takeOwn ? takeOwn(c, optarg) : -2;
        if (taken == -2) taken = TakeDocumentOutputOption(c, optarg, command.name, output, err);
        if (taken == -2) taken = TakeHostOption(c, optarg, command.name, host, err);
        if (taken == -1) continue;
        if (taken == -2) ReportBadOption(err, command.name, argv);
        return taken == -2 ? kExitUsage : taken;
    }
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
