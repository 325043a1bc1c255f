// Runs the `orvelk` binary as a process through the shell, for the tests of
// its command line: pipes, devices, redirections and a pseudo-terminal are
// written as a shell writes them.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/test_temp_dir.h"

#ifndef ORVELK_BINARY
#error "ORVELK_BINARY names the orvelk binary under test"
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

// Runs `shell` with ORVELK standing for the binary; standard output and
// error are captured unless `shell` sends them elsewhere itself.
inline ProcessRun Shell(const std::string& shell) {
    const std::string out = TestTempDir() + "out", err = TestTempDir() + "err";
    std::string command =
        "export ORVELK='" ORVELK_BINARY "'; { " + shell + "; } >'" + out + "' 2>'" + err + "'";
    const int raw = std::system(command.c_str());
    return ProcessRun{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp(out), Slurp(err)};
}

inline bool Has(const std::string& haystack, const std::string& needle) {
    return haystack.find(needle) != std::string::npos;
}
