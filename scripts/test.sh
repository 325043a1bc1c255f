#!/usr/bin/env bash
# Sets up what is missing, builds, and runs every test: the release build's
# suite, then the same suite under AddressSanitizer and UBSan, then the
# 32-bit Linux build's suites (the 32-bit layout, run), then the 32-bit
# Windows module with its checks and its package, then the 64-bit Windows
# build (cross-built with MinGW-w64) with its suites under Wine in a fresh
# Wine prefix and the checks that hold it equal to the release build, then
# the stress of file writing (interrupted and concurrent runs, for
# STRESS_SECONDS, 20 by default), then every fuzz target for a short, fixed
# time (FUZZ_SECONDS, 15 by default), so that a target that no longer builds
# or fails at once fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."

# The time each part took, printed at the end.
times=()
lap() {
  times+=("$1 $((SECONDS - lap_start)) s")
  lap_start=$SECONDS
}
lap_start=$SECONDS
trap 'echo "test.sh: ${times[*]}" >&2' EXIT

bash scripts/setup.sh
lap setup
# The host interface's declarations against the facts of the host's binary
# interface (the shared folder beside the checkout): every fact must hold.
host_abi_check=../shared/host-abi/check_hostapi.sh
if [ -f "$host_abi_check" ]; then
  mkdir -p build
  if ! bash "$host_abi_check" . > build/host_abi.txt 2>&1; then
    grep -v '^ok' build/host_abi.txt >&2
    exit 1
  fi
  tail -n 1 build/host_abi.txt
else
  echo "test.sh: $host_abi_check not found: the host interface is not checked" >&2
fi
for preset in release asan; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  if [ "$preset" = asan ]; then
    # LeakSanitizer's own tracer sometimes crashes at exit after a test has
    # passed: such tests run once more, and any other failure stands.
    ctest --preset "$preset" || bash scripts/rerun_lsan_tracer_crashes.sh "$preset"
  else
    ctest --preset "$preset"
  fi
  lap "$preset"
done
# The plug-in and the stand-in on the 32-bit layout (-m32), as far as their
# libraries exist for i386 here.
# A kernel without 32-bit support runs the build's programs (the table
# file's generator, every test) through the user-mode emulator instead.
preset32=linux32
if ! bash scripts/runs_32bit.sh; then
  preset32=linux32-qemu
  echo "test.sh: this kernel does not run 32-bit programs; the 32-bit Linux build's programs and tests run through qemu-i386" >&2
fi
cmake --preset "$preset32" >/dev/null
cmake --build --preset "$preset32"
ctest --preset "$preset32" -j2
lap linux32
# The module the host loads, its checks, and the archive a user installs
# (build/windows32/Orvelk-*-win32.zip).
cmake --preset windows32 >/dev/null
cmake --build --preset windows32
ctest --preset windows32
(cd build/windows32 && cpack -G ZIP >/dev/null)
lap windows32
bash scripts/stress_files.sh "${STRESS_SECONDS:-20}"
lap stress
export WINEPREFIX
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/orvelk-wine.XXXXXX")
trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$WINEPREFIX"; echo "test.sh: ${times[*]}" >&2' EXIT
cmake --preset windows >/dev/null
cmake --build --preset windows
lap windows-build
ctest --preset windows
bash scripts/windows_equality.sh build/release build/windows
lap windows-tests

bash scripts/fuzz.sh all "${FUZZ_SECONDS:-15}"
lap fuzz
