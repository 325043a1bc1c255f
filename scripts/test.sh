#!/usr/bin/env bash
# Sets up what is missing, builds, and runs every test: the release build's
# suite, then the same suite under AddressSanitizer and UBSan, then every fuzz
# target for a short, fixed time (FUZZ_SECONDS, 15 by default), so that a
# target that no longer builds or fails at once fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
for preset in release asan; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
bash scripts/fuzz.sh all "${FUZZ_SECONDS:-15}"
