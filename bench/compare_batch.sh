#!/usr/bin/env bash
# Times whole processes: `orvelk batch` of LINES lines (default 1000) like
# "https://example.org/item/000123?lot=K7QX2M9A" to SVG against `zint
# --batch --filetype=svg` on the same lines, then orvelk's PNG and PDF rates
# beside them. Each is run RUNS times (default 5), in turn, each run into a
# folder of its own; the medians are printed, in milliseconds per batch and
# per symbol. The folders are made under $TMPDIR: TMPDIR=/dev/shm leaves the
# disk out of it. Needs a release build and the zint program (Debian package
# zint).
set -euo pipefail
cd "$(dirname "$0")/.."
lines=${1:-1000}
runs=${2:-5}
orvelk=./build/release/bin/orvelk
command -v zint >/dev/null || { echo "compare_batch: zint is not installed" >&2; exit 2; }
[ -x "$orvelk" ] || { echo "compare_batch: build the release preset first" >&2; exit 2; }
orvelk=$(realpath "$orvelk")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for ((i = 1; i <= lines; i++)); do
    printf 'https://example.org/item/%06d?lot=K7QX2M9A\n' "$i"
done > "$work/lines.txt"

# Runs "$@" in a new folder of its own; prints the milliseconds it took.
run_in_fresh_folder() {
    local dir start end
    dir=$(mktemp -d "$work/run.XXXXXX")
    start=$(date +%s%N)
    (cd "$dir" && "$@" >/dev/null)
    end=$(date +%s%N)
    echo $(((end - start) / 1000000))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

declare -A times
for ((r = 1; r <= runs; r++)); do
    times[svg]+="$(run_in_fresh_folder "$orvelk" batch "$work/lines.txt" -o 'label-####.svg') "
    times[zint]+="$(run_in_fresh_folder zint -b QRCODE --batch --filetype=svg \
        -i "$work/lines.txt" -o 'label~~~~.svg') "
    times[png]+="$(run_in_fresh_folder "$orvelk" batch "$work/lines.txt" -o 'label-####.png') "
    times[pdf]+="$(run_in_fresh_folder "$orvelk" batch "$work/lines.txt" -o 'label-####.pdf') "
done
for name in svg zint png pdf; do
    ms=$(tr ' ' '\n' <<<"${times[$name]}" | grep . | median)
    case $name in
        svg) what="orvelk batch -o label-####.svg" ;;
        zint) what="zint --batch --filetype=svg" ;;
        png) what="orvelk batch -o label-####.png" ;;
        pdf) what="orvelk batch -o label-####.pdf" ;;
    esac
    awk -v w="$what" -v ms="$ms" -v n="$lines" \
        'BEGIN { printf "%-34s %6d ms  %.3f ms a symbol\n", w, ms, ms / n }'
done
