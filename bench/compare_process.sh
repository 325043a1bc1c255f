#!/usr/bin/env bash
# Times whole processes: `orvelk encode --format svg` against `qrencode -t SVG`
# on the same bytes, a version-40 symbol at level M, each run N times
# (default 100) in turn. Needs a release build and the qrencode program
# (Debian package qrencode).
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-100}
orvelk=./build/release/bin/orvelk
command -v qrencode >/dev/null || { echo "compare_process: qrencode is not installed" >&2; exit 2; }
[ -x "$orvelk" ] || { echo "compare_process: build the release preset first" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# 2331 bytes: the most a version-40 symbol holds in byte mode at level M.
head -c 4000 /dev/urandom | base64 -w0 | head -c 2331 > "$work/payload.txt"

time_runs() {
    local start end
    start=$(date +%s%N)
    for ((i = 0; i < runs; i++)); do "$@" >/dev/null; done
    end=$(date +%s%N)
    echo $(((end - start) / runs / 1000))
}
for round in 1 2; do
    o=$(time_runs "$orvelk" encode --text-file "$work/payload.txt" --level M --format svg -o "$work/o.svg")
    q=$(time_runs qrencode -r "$work/payload.txt" -8 -l M -t SVG -o "$work/q.svg")
    echo "round $round: orvelk encode --format svg ${o} us, qrencode -t SVG ${q} us per process"
done
