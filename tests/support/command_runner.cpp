#include "tests/support/command_runner.h"

#include <cstdio>
#include <vector>

#include "standin/cli/orvelk_command.h"

namespace {

std::string ReadBack(FILE* f) {
    std::string s;
    std::rewind(f);
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) s.append(buffer, n);
    std::fclose(f);
    return s;
}

}  // namespace

CommandResult RunOrvelkCommand(std::initializer_list<std::string> args) {
    return RunOrvelkCommand(std::vector<std::string>(args));
}

CommandResult RunOrvelkCommand(const std::vector<std::string>& args) {
    std::vector<std::string> storage{"orvelk"};
    storage.insert(storage.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& s : storage) argv.push_back(s.data());
    argv.push_back(nullptr);
    FILE* out = std::tmpfile();
    FILE* err = std::tmpfile();
    CommandResult r;
    r.status = RunOrvelk(static_cast<int>(storage.size()), argv.data(), out, err);
    r.out = ReadBack(out);
    r.err = ReadBack(err);
    return r;
}
