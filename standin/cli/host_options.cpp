#include "standin/cli/host_options.h"

#include <string>

#include "standin/cli/options.h"
#include "standin/dialogs/user_script.h"

std::vector<option> WithHostOptions(std::vector<option> own) {
    own.insert(own.end(), {
                              {"app-folder", required_argument, nullptr, kOptionAppFolder},
                              {"user", required_argument, nullptr, kOptionUser},
                              {"help", no_argument, nullptr, 'h'},
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

int FinishUserScript(const HostCommandOptions& o, const char* command, FILE* err) {
    if (o.steps.empty()) return kExitOk;
    const size_t failed = standin::FailedUserSteps();
    const size_t left = standin::LeftoverUserSteps();
    if (failed != 0)
        PrintError(err, command, "--user: %zu of the %zu steps could not be carried out", failed,
                   o.steps.size());
    if (left != 0)
        PrintError(err, command, "--user: %zu of the %zu steps were left over (no dialog took them)",
                   left, o.steps.size());
    return failed != 0 || left != 0 ? kExitSomeFailed : kExitOk;
}
