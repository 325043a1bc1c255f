#!/usr/bin/env bash
# Stress of how `orvelk` writes files: concurrent settings saves, and runs of
# `place` and `batch` interrupted at random moments. After every round each
# file must be the old one or a whole new one, every line file a batch wrote
# must be whole, a saved action set must hold exactly the lines written, and
# no temporary file may be left (beside the outputs, in Prefs/, in $TMPDIR).
#
#   bash scripts/stress_files.sh [SECONDS]     (default 20)
#
# Runs for about SECONDS, then prints its counts; exits 1 on the first file
# lost or damaged. Needs the release build (it builds `orvelk` when missing)
# and works in a temporary folder of its own, removed at the end.
set -euo pipefail

seconds=${1:-20}
if ! [[ $seconds =~ ^[0-9]+$ ]]; then
    echo "usage: bash scripts/stress_files.sh [SECONDS]" >&2
    exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/release
if [[ ! -x $build/bin/orvelk || ! -f $build/app/Plug-ins/Orvelk.aip ]]; then
    cmake --build "$build" --target orvelk orvelk_module orvelk_table_file >/dev/null
fi
orvelk=$build/bin/orvelk

work=$(mktemp -d "${TMPDIR:-/tmp}/orvelk-stress-XXXXXX")
trap 'rm -rf "$work"' EXIT
trap 'exit 130' INT TERM
export TMPDIR=$work/tmp
mkdir -p "$TMPDIR"

rounds=0 interrupts=0 checked=0 lost=0

fail() {
    echo "stress_files: $*" >&2
    lost=$((lost + 1))
    echo "stress_files: rounds $rounds, interrupts $interrupts, files checked $checked, lost $lost" >&2
    exit 1
}

# A fresh application folder at $1.
fresh_app() {
    rm -rf "$1"
    mkdir -p "$1/Plug-ins" "$1/Prefs/Orvelk"
    cp "$build/app/Plug-ins/Orvelk.aip" "$1/Plug-ins/"
    cp "$build/app/Prefs/Orvelk/ORVK_QR.DAT" "$1/Prefs/Orvelk/"
}

# Fails when a temporary file of a run is left in the folders given.
no_temporaries() {
    local left
    left=$(find "$@" -maxdepth 1 \( -name '*.tmp' -o -name 'orvelk-batch-*' \) 2>/dev/null | head -n 3)
    [[ -z $left ]] || fail "temporary files left: $left"
}

# Checks that $1 is the same bytes as one of the files after it.
one_of() {
    local file=$1 candidate
    shift
    checked=$((checked + 1))
    for candidate in "$@"; do
        cmp -s "$file" "$candidate" && return 0
    done
    fail "$file is neither the old file nor a whole new one"
}

# A random number of milliseconds below $1, as seconds for timeout.
random_delay() {
    local ms=$((RANDOM % $1 + 1))
    printf '0.%03d' "$ms"
}

# References: each writer's settings file alone, a placed symbol and its
# recording, and a batch run to its end.
levels=(L M Q H)
writers=4
for i in $(seq 0 $((writers - 1))); do
    fresh_app "$work/ref$i"
    "$orvelk" place --app-folder "$work/ref$i" --text "writer $i $(printf 'x%.0s' $(seq 1 $((i * 60))))" \
        --level "${levels[$i]}" --dump >/dev/null 2>&1
    cp "$work/ref$i/Prefs/Orvelk.ini" "$work/settings$i.ini"
done
fresh_app "$work/refplace"
"$orvelk" place --app-folder "$work/refplace" --text 'STRESS' --level M --version auto --mode B --cell 0.50 -o "$work/place.svg" \
    --record "$work/place.json" 2>/dev/null
cp "$work/refplace/Prefs/Orvelk.ini" "$work/place.ini"
seq 1 400 | sed 's/^/stress line /' >"$work/lines.txt"
fresh_app "$work/refbatch"
mkdir -p "$work/refout"
"$orvelk" batch "$work/lines.txt" --app-folder "$work/refbatch" -o "$work/refout/l-###.svg" \
    --save-actions "$work/refout/set.json" 2>/dev/null
echo 'old' >"$work/old"

app=$work/app
out=$work/out
fresh_app "$app"
end=$((SECONDS + seconds))
while ((SECONDS < end)); do
    rounds=$((rounds + 1))

    # Concurrent saves: the file is one writer's whole file.
    pids=()
    for i in $(seq 0 $((writers - 1))); do
        "$orvelk" place --app-folder "$app" --text "writer $i $(printf 'x%.0s' $(seq 1 $((i * 60))))" \
            --level "${levels[$i]}" --dump >/dev/null 2>&1 &
        pids+=($!)
    done
    for pid in "${pids[@]}"; do wait "$pid" || fail "a concurrent save failed"; done
    one_of "$app/Prefs/Orvelk.ini" "$work"/settings*.ini
    no_temporaries "$app/Prefs"

    # place interrupted: its files are the old ones or whole new ones.
    rm -rf "$out" && mkdir -p "$out"
    cp "$work/old" "$out/q.svg" && cp "$work/old" "$out/q.json"
    cp "$app/Prefs/Orvelk.ini" "$work/before.ini"
    timeout --preserve-status -s INT "$(random_delay 400)" \
        "$orvelk" place --app-folder "$app" --text 'STRESS' --level M --version auto --mode B --cell 0.50 -o "$out/q.svg" \
        --record "$out/q.json" >/dev/null 2>&1 && status=0 || status=$?
    ((status == 0 || status == 130)) || fail "place ended with status $status"
    ((status == 130)) && interrupts=$((interrupts + 1))
    one_of "$out/q.svg" "$work/old" "$work/place.svg"
    one_of "$out/q.json" "$work/old" "$work/place.json"
    one_of "$app/Prefs/Orvelk.ini" "$work/before.ini" "$work/place.ini"
    no_temporaries "$out" "$app/Prefs" "$TMPDIR"

    # batch interrupted: every line file whole, the action set old or
    # holding exactly the lines written.
    rm -rf "$out" && mkdir -p "$out"
    cp "$work/old" "$out/set.json"
    jobs=$((RANDOM % 3 + 1))
    timeout --preserve-status -s INT "$(random_delay 900)" \
        "$orvelk" batch "$work/lines.txt" --app-folder "$app" -o "$out/l-###.svg" \
        --jobs "$jobs" --save-actions "$out/set.json" >/dev/null 2>&1 && status=0 || status=$?
    ((status == 0 || status == 130)) || fail "batch --jobs $jobs ended with status $status"
    ((status == 130)) && interrupts=$((interrupts + 1))
    written=0
    for file in "$out"/l-*.svg; do
        [[ -e $file ]] || continue
        one_of "$file" "$work/refout/$(basename "$file")"
        written=$((written + 1))
    done
    checked=$((checked + 1))
    if ! cmp -s "$out/set.json" "$work/old"; then
        actions=$(grep -c '"document"' "$out/set.json" || true)
        ((actions == written)) ||
            fail "batch --jobs $jobs: the action set holds $actions lines, $written were written"
    elif ((written > 0)); then
        fail "batch --jobs $jobs wrote $written lines but not their action set"
    fi
    no_temporaries "$out" "$app/Prefs" "$TMPDIR"
done
echo "stress_files: rounds $rounds, interrupts $interrupts, files checked $checked, lost $lost"
