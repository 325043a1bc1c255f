#!/usr/bin/env bash
# Usage: rerun_lsan_tracer_crashes.sh PRESET
# After a failed `ctest --preset PRESET` of a sanitizer build: runs once
# more the tests that failed only because LeakSanitizer's tracer crashed
# after the test itself had passed, and fails, running nothing, when any
# test failed otherwise.
#
# LeakSanitizer looks for leaks at exit from a thread that stops every
# other thread under ptrace. On a paravirtualised guest that thread now and
# then dies of SIGSEGV ("Tracer caught signal 11", then "LeakSanitizer has
# encountered a fatal error"): a fault of the checker, printed after the
# test's own verdict, that no change of the test's code brings or removes.
# A test whose output shows anything else (a failed assertion, a leak, an
# error report of the sanitizers) is never run again.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:?usage: rerun_lsan_tracer_crashes.sh PRESET}
dir=build/$preset/Testing/Temporary
log=$dir/LastTest.log
failed=$dir/LastTestsFailed.log
if [ ! -s "$log" ] || [ ! -s "$failed" ]; then
  echo "rerun_lsan_tracer_crashes.sh: no failed tests on record in build/$preset" >&2
  exit 1
fi

# Each failed test's name and whether its output is a gtest run that passed
# whole and then the tracer's crash, and nothing the sanitizers reported.
verdicts=$(awk '
  /^[0-9]+\/[0-9]+ Test: / { sub(/^[0-9]+\/[0-9]+ Test: /, ""); name = $0
                             passed = 0; tracer = 0; other = 0; next }
  /^\[  PASSED  \]/                  { passed = 1 }
  /^\[  FAILED  \]/                  { other = 1 }
  /^Tracer caught signal /           { tracer = 1 }
  /^==[0-9]+==ERROR: /               { other = 1 }
  /runtime error: /                  { other = 1 }
  /^Test Failed\./ { print name "\t" ((passed && tracer && !other) ? "tracer" : "other") }
' "$log")

# Every test on the failed list must have the tracer's verdict; one with
# none (its output not in the log) counts as failed on its own account.
others=$(printf '%s\n' "$verdicts" |
  awk -F '\t' 'NR == FNR { if ($2 == "tracer") tracer[$1] = 1; next }
               { sub(/^[0-9]+:/, ""); if (!($0 in tracer)) print "  " $0 }' - "$failed")
if [ -n "$others" ]; then
  echo "rerun_lsan_tracer_crashes.sh: these failed on their own account:" >&2
  printf '%s\n' "$others" >&2
  exit 1
fi
echo "rerun_lsan_tracer_crashes.sh: LeakSanitizer's tracer crashed after these passed; running them again:" >&2
sed 's/^[0-9]*:/  /' "$failed" >&2
ctest --preset "$preset" --rerun-failed --output-on-failure
