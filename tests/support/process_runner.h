// Runs the `orvelk` binary as a process through the shell, for the tests of
// its command line: pipes, devices, redirections and a pseudo-terminal are
// written as a shell writes them.
#pragma once

#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/test_temp_dir.h"

#ifndef ORVELK_BINARY
#error "ORVELK_BINARY names the orvelk binary under test"
#endif
#ifndef ORVELK_EMULATOR
#define ORVELK_EMULATOR ""  // the build's programs run as they are
#endif

// What a process left: its exit status and its two outputs.
struct ProcessRun {
    int status;
    std::string out;
    std::string err;
};

// The whole file at `path`, empty when there is none.
inline std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// A file of the test's temporary folder holding `bytes`; its path.
inline std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = TestTempDir() + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

// Whether the build's programs run through a user-mode emulator.
inline bool RunsThroughEmulator() { return ORVELK_EMULATOR[0] != '\0'; }

// The program the tests call $ORVELK: the binary, or, where the build's
// programs run through a user-mode emulator, a script that runs it there.
inline std::string OrvelkProgram() {
    if (!RunsThroughEmulator()) return ORVELK_BINARY;
    static const std::string script = [] {
        const std::string path = TestTempDir() + "orvelk-emulated";
        std::ofstream(path) << "#!/bin/sh\nexec '" ORVELK_EMULATOR "' '" ORVELK_BINARY "' \"$@\"\n";
        ::chmod(path.c_str(), 0755);
        return path;
    }();
    return script;
}

// Runs `shell` with ORVELK standing for the binary; standard output and
// error are captured unless `shell` sends them elsewhere itself.
inline ProcessRun Shell(const std::string& shell) {
    const std::string out = TestTempDir() + "out", err = TestTempDir() + "err";
    std::string command = "export ORVELK='" + OrvelkProgram() + "'; { " + shell + "; } >'" + out +
                          "' 2>'" + err + "'";
    const int raw = std::system(command.c_str());
    return ProcessRun{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp(out), Slurp(err)};
}

inline bool Has(const std::string& haystack, const std::string& needle) {
    return haystack.find(needle) != std::string::npos;
}
