// Runs an `orvelk` command line in this process and captures what it prints.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

struct CommandResult {
    int status;
    std::string out;
    std::string err;
};

// Runs `orvelk ARGS...` (without the program name) through RunOrvelk.
CommandResult RunOrvelkCommand(std::initializer_list<std::string> args);
CommandResult RunOrvelkCommand(const std::vector<std::string>& args);
