#include "standin/cli/host_command.h"

#include <unistd.h>

#include <string>

#include "standin/app/transcript_text.h"
#include "standin/cli/options.h"
#include "standin/host/standin_app_folder.h"

std::vector<option> WithHostOptions(std::vector<option> own) {
    own.insert(own.end(), {
                              {"app-folder", required_argument, nullptr, kOptionAppFolder},
                              {"user", required_argument, nullptr, kOptionUser},
                              {"help", no_argument, nullptr, 'h'},
                              {nullptr, 0, nullptr, 0},
                          });
    return own;
}

int TakeHostOption(int c, const char* arg, const char* command, HostCommandOptions* o, FILE* err) {
    switch (c) {
        case kOptionAppFolder:
            o->appFolder = arg;
            return -1;
        case kOptionUser: {
            std::string why;
            if (!standin::ParseUserScript(arg, &o->steps, &why)) {
                PrintError(err, command, "--user: %s", why.c_str());
                return kExitUsage;
            }
            return -1;
        }
        default:
            return -2;
    }
}

bool BeginHostCommand(const HostCommandOptions& o, const char* command, FILE* err) {
    std::string why;
    if (!ChooseStandinAppFolder(o.appFolder, &why)) {
        PrintError(err, command, "%s", why.c_str());
        return false;
    }
    return true;
}

void EndHostCommand(const HostCommandOptions& o) {
    if (o.appFolder != nullptr) SetStandinAppFolder(nullptr);
}

void PrintTranscriptEntry(FILE* err, const char* command, const standin::TranscriptEntry& entry) {
    using Kind = standin::TranscriptEntry::Kind;
    if (entry.kind == Kind::kDialogClosed) return;
    std::fprintf(err, "orvelk %s: %s", command, standin::TranscriptEntryText(entry).c_str());
    if (entry.kind == Kind::kBeep && isatty(fileno(err))) {
        std::fputc('\a', err);
        std::fflush(err);
    }
}
