#include <cstdio>

#include "standin/cli/orvelk_command.h"

int main(int argc, char** argv) { return RunOrvelk(argc, argv, stdout, stderr); }
