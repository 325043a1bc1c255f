#include "standin/cli/orvelk_command.h"

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "standin/cli/about_command.h"
#include "standin/cli/batch_command.h"
#include "standin/cli/encode_command.h"
#include "standin/cli/info_command.h"
#include "standin/cli/option_values.h"
#include "standin/cli/options.h"
#include "standin/cli/place_command.h"
#include "standin/cli/replay_command.h"

namespace {

constexpr char kUsage[] =
    "Usage: orvelk COMMAND [OPTIONS]\n"
    "\n"
    "The Orvelk host stand-in: runs the Orvelk QR Code plug-in as its host would.\n"
    "\n"
    "Commands:\n"
    "  encode   encode a text with the plug-in's symbol engine and print the result\n"
    "  info     load and start the plug-ins; list their filters and action events\n"
    "  about    show each plug-in's About box and print its texts\n"
    "  place    place a symbol as a user does from the filter menu, through its dialog\n"
    "  replay   play an action set's actions into documents and export them\n"
    "  batch    place one symbol per line of a text file, each exported to its own file\n"
    "\n"
    "Options:\n"
    "  -h, --help      show this help and exit\n"
    "  -V, --version   show the version and exit\n"
    "\n"
    "Run 'orvelk COMMAND --help' for the options of a command. Messages go to\n"
    "standard error.\n"
    "\n"
    "Exit status: 0 on success; 1 when the text does not fit; 2 on bad usage or an\n"
    "input that cannot be read or converted; 3 when the symbol table file is missing\n"
    "or damaged; 4 when a module was skipped, a plug-in failed to start or none was\n"
    "found; 5 when some lines or actions failed, or a step of --user could not be\n"
    "carried out or was left over; 6 when the user cancelled the dialog of place; 7\n"
    "when nothing of the text is left after the mode's filter, or --strict refused\n"
    "the mode; 8 when the output cannot be written; 9 when place placed the symbol\n"
    "and wrote every file, but the plug-in could not save its settings at OK;\n"
    "128 + N when interrupted by signal N (130 for Ctrl-C, 143 for SIGTERM): what\n"
    "was being written is removed, and batch says how far it got and saves the\n"
    "actions of the lines written. See each command's --help.\n";

struct Command {
    const char* name;
    int (*run)(int argc, char** argv, FILE* out, FILE* err);
};

constexpr Command kCommands[] = {
    {"encode", RunEncodeCommand}, {"info", RunInfoCommand},   {"about", RunAboutCommand},
    {"place", RunPlaceCommand},   {"replay", RunReplayCommand}, {"batch", RunBatchCommand},
};

}  // namespace

int RunOrvelk(int argc, char** argv, FILE* out, FILE* err) {
    if (argc < 2) {
        std::fputs(kUsage, err);
        return kExitUsage;
    }
    const char* first = argv[1];
    if (std::strcmp(first, "-h") == 0 || std::strcmp(first, "--help") == 0) {
        std::fputs(kUsage, out);
        return kExitOk;
    }
    if (std::strcmp(first, "-V") == 0 || std::strcmp(first, "--version") == 0) {
        std::fputs("orvelk 1.21\n", out);
        return kExitOk;
    }
    std::vector<std::string_view> names;
    for (const Command& c : kCommands) {
        if (std::strcmp(first, c.name) == 0) return c.run(argc - 1, argv + 1, out, err);
        names.push_back(c.name);
    }
    const std::string nearest = NearestName(first, names);
    if (nearest.empty())
        std::fprintf(err, "orvelk: '%s' is not a command; see 'orvelk --help'\n", first);
    else
        std::fprintf(err, "orvelk: '%s' is not a command; did you mean '%s'? (see 'orvelk --help')\n",
                     first, nearest.c_str());
    return kExitUsage;
}
