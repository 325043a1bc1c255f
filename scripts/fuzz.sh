#!/usr/bin/env bash
# Builds and runs the libFuzzer targets (preset fuzz, folder fuzz/).
#
#   scripts/fuzz.sh --list             the targets, one a line
#   scripts/fuzz.sh TARGET SECONDS     builds what is missing, runs TARGET
#   scripts/fuzz.sh all SECONDS        every target, one after another
#
# Each run starts from the seeds (fuzz/corpus/TARGET and those the build
# writes) and keeps what it finds in build/fuzz/corpus/TARGET, prints
# libFuzzer's summary (executions, coverage, corpus) and ends non-zero on a
# finding, whose input libFuzzer writes to build/fuzz/findings/. Set
# FUZZ_JOBS to run that many processes of a target side by side, and
# FUZZ_RUNS to stop a run after that many executions instead of at its time.
# The files a target writes (table and preferences files) go to a scratch
# folder of the run's own, in memory (/dev/shm) where the system has it, so
# that the disk does not set the pace; FUZZ_TMPDIR chooses another place.
set -euo pipefail
cd "$(dirname "$0")/.."

TARGETS=(table_file lzss_decode encode prefs_load prefs_round_trip escape_text action_set
         module_resources gdi_calls playback)

usage() {
  echo "usage: scripts/fuzz.sh --list | TARGET SECONDS | all SECONDS" >&2
  exit 2
}

list() {
  for t in "${TARGETS[@]}"; do
    [[ -f "fuzz/${t}_fuzz.cpp" ]] && echo "$t"
  done
  return 0
}

build() {
  if [[ ! -f build/fuzz/build.ninja ]]; then
    cmake --preset fuzz >/dev/null
  fi
  cmake --build --preset fuzz -j"${FUZZ_BUILD_JOBS:-2}" >/dev/null
}

# Where the runs' scratch folders go: FUZZ_TMPDIR, else memory, else TMPDIR.
scratch_base() {
  if [[ -n "${FUZZ_TMPDIR:-}" ]]; then
    echo "$FUZZ_TMPDIR"
  elif [[ -d /dev/shm && -w /dev/shm ]]; then
    echo /dev/shm
  else
    echo "${TMPDIR:-/tmp}"
  fi
}

run() {
  local target=$1 seconds=$2
  local program="build/fuzz/bin/fuzz_${target}"
  local corpus="build/fuzz/corpus/${target}" findings="build/fuzz/findings/${target}"
  mkdir -p "$corpus" "$findings"
  local seeds=()
  [[ -d "fuzz/corpus/${target}" ]] && seeds+=("fuzz/corpus/${target}")
  [[ -d "build/fuzz/fuzz/seeds/${target}" ]] && seeds+=("build/fuzz/fuzz/seeds/${target}")
  local options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048
                 -artifact_prefix="${findings}/" -print_final_stats=1)
  [[ -f "fuzz/${target}.dict" ]] && options+=(-dict="fuzz/${target}.dict")
  [[ -n "${FUZZ_RUNS:-}" ]] && options+=(-runs="$FUZZ_RUNS")
  [[ -n "${FUZZ_JOBS:-}" ]] && options+=(-fork="$FUZZ_JOBS")
  echo "== fuzz_${target}: ${seconds} s"
  local log scratch
  log=$(mktemp)
  scratch=$(mktemp -d "$(scratch_base)/orvelk-fuzz.XXXXXX")
  local status=0
  TMPDIR="$scratch" \
  ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:${ASAN_OPTIONS:-}" \
  UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
    "$program" "${options[@]}" "$corpus" "${seeds[@]}" >"$log" 2>&1 || status=$?
  rm -rf "$scratch"
  # libFuzzer's own summary: the last status line and the final statistics.
  grep -E '^#[0-9]+[[:space:]]+(DONE|INITED|pulse|NEW|REDUCE)' "$log" | tail -n 1 || true
  grep -E '^stat::' "$log" || true
  # 72 is libFuzzer's exit status for a run stopped by a signal: no finding.
  if [[ $status -eq 72 ]] && grep -q 'run interrupted' "$log"; then
    echo "fuzz_${target}: interrupted; log: ${log}" >&2
    return 1
  fi
  if [[ $status -ne 0 ]]; then
    grep -E 'ERROR|SUMMARY|check failed|Test unit written|artifact' "$log" | head -n 20 >&2 || true
    echo "fuzz_${target}: FINDING (exit ${status}); log: ${log}" >&2
    return 1
  fi
  rm -f "$log"
}

[[ $# -ge 1 ]] || usage
if [[ $1 == --list ]]; then
  list
  exit 0
fi
[[ $1 == -h || $1 == --help ]] && { sed -n '2,16p' "$0" | sed 's/^# \{0,1\}//'; exit 0; }
[[ $# -eq 2 && $2 =~ ^[0-9]+$ ]] || usage
build
if [[ $1 == all ]]; then
  failed=0
  for t in $(list); do run "$t" "$2" || failed=1; done
  exit $failed
fi
list | grep -qx "$1" || { echo "scripts/fuzz.sh: no target '$1' (see --list)" >&2; exit 2; }
run "$1" "$2"
