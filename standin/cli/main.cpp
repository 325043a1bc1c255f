#include <cerrno>
#include <cstdio>
#include <cstring>

#include "standin/cli/options.h"
#include "standin/cli/orvelk_command.h"

int main(int argc, char** argv) {
    int status = RunOrvelk(argc, argv, stdout, stderr);
    // What is still buffered for standard output must reach it too: a full
    // disk or a closed pipe is a failure, not a success.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "orvelk: cannot write standard output: %s\n", std::strerror(errno));
        if (status == kExitOk) status = kExitWriteFailed;
    }
    return status;
}
