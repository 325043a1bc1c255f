#!/usr/bin/env bash
# Sets up what is missing, builds the release configuration, and runs the
# main job on its built-in default: the plug-in's engine on the plug-in's
# default text "*SAMPLE TEXT*" with its default settings, printed as rows of
# modules.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release
./build/release/bin/orvelk encode --text '*SAMPLE TEXT*' "$@"
