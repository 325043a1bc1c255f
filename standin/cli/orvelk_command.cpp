#include "standin/cli/orvelk_command.h"

#include <cstring>

#include "standin/cli/about_command.h"
#include "standin/cli/batch_command.h"
#include "standin/cli/encode_command.h"
#include "standin/cli/info_command.h"
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
    "Run 'orvelk COMMAND --help' for the options of a command.\n";

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
    for (const Command& c : kCommands)
        if (std::strcmp(first, c.name) == 0) return c.run(argc - 1, argv + 1, out, err);
    std::fprintf(err, "orvelk: '%s' is not a command; see 'orvelk --help'\n", first);
    return kExitUsage;
}
