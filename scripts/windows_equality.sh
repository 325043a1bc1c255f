#!/usr/bin/env bash
# Holds the Windows build equal to this machine's: the same cases run by the
# Linux programs (build/release) and by the Windows programs under Wine
# (build/windows) must give the same bytes — standard output, standard error,
# exit status, every file written and the preferences file after the case —
# with only the application folder's path told apart (its own path and its
# Windows forms become <APP>, and backslashes below it slashes). Also compares the
# preview of the settings dialog as Wine's GDI paints it with what our GDI
# layer paints, and the Windows module's resources as the Windows loader
# reads them with what the stand-in reads from the Linux module.
#
#   scripts/windows_equality.sh [LINUX_BUILD [WINDOWS_BUILD]]
#
# Prints each difference and a summary; exits 1 when anything differs.
set -uo pipefail
cd "$(dirname "$0")/.."
linux=$(realpath "${1:-build/release}")
windows=$(realpath "${2:-build/windows}")
wine_run="$PWD/scripts/wine_run.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cases=0
comparisons=0
differences=0

# compare WHAT A B: one byte comparison of two files.
compare() {
  comparisons=$((comparisons + 1))
  if ! cmp -s "$2" "$3"; then
    differences=$((differences + 1))
    echo "differs: $1" >&2
    diff <(head -c 4000 "$2" | od -c | head -20) <(head -c 4000 "$3" | od -c | head -20) >&2 || true
  fi
}

# orvelk_case NAME ARGS...: `orvelk ARGS` on both sides, each in a folder of
# its own holding a fresh copy of its build's application folder (the module
# and the table file; no preferences unless a setup step wrote them) and the
# case's input files. Compared: standard output, standard error (the
# application folder's path told apart), the exit status, every file the
# case wrote and the preferences file after it. A case may reuse the folder
# of an earlier one with KEEP=1 (settings saved by an earlier OK).
setup_side() {
  local dir=$1 build=$2
  if [ "${KEEP:-0}" != 1 ]; then
    rm -rf "$dir"
    mkdir -p "$dir/app/Plug-ins" "$dir/app/Prefs/Orvelk"
    cp "$build/app/Plug-ins/Orvelk.aip" "$dir/app/Plug-ins/"
    cp "$build/app/Prefs/Orvelk/ORVK_QR.DAT" "$dir/app/Prefs/Orvelk/"
    cp "$work/inputs/"* "$dir/" 2>/dev/null || true
  fi
}

# A folder of this machine as Wine's Windows programs name it: drive Z: is
# the root in every Wine prefix.
windows_path() {
  printf 'Z:%s' "${1//\//\\}"
}

normalize() {
  python3 - "$1" "$2" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
native = sys.argv[2]
forms = [native, "C:" + native.replace("/", "\\"), "Z:" + native.replace("/", "\\"),
         native.replace("/", "\\")]
for form in forms:
    data = data.replace(form.encode(), b"<APP>")
# Below the folder, names are the same on both: only the separator differs.
import re
data = re.sub(rb"<APP>[^\s\"']*", lambda m: m.group(0).replace(b"\\", b"/"), data)
sys.stdout.buffer.write(data)
PY
}

orvelk_case() {
  local name=$1; shift
  cases=$((cases + 1))
  local l="$work/cases/linux" w="$work/cases/windows"
  setup_side "$l" "$linux"
  setup_side "$w" "$windows"
  touch "$work/stamp"
  (cd "$l" && ORVELK_APP_FOLDER="$l/app" "$linux/bin/orvelk" "$@" > "$work/out.linux" 2> "$work/err.linux" < /dev/null; echo $? > "$work/status.linux")
  (cd "$w" && ORVELK_APP_FOLDER="$(windows_path "$w/app")" "$wine_run" "$windows/bin/orvelk.exe" "$@" > "$work/out.windows" 2> "$work/err.windows" < /dev/null; echo $? > "$work/status.windows")
  # The application folder as each side names it: its own path, and the
  # Windows forms of it ("C:\..." here, "Z:\..." under Wine).
  normalize "$work/err.linux" "$l/app" > "$work/err.linux.n"
  normalize "$work/err.windows" "$w/app" > "$work/err.windows.n"
  normalize "$work/out.linux" "$l/app" > "$work/out.linux.n"
  normalize "$work/out.windows" "$w/app" > "$work/out.windows.n"
  compare "$name: standard output" "$work/out.linux.n" "$work/out.windows.n"
  compare "$name: standard error" "$work/err.linux.n" "$work/err.windows.n"
  compare "$name: exit status $(cat "$work/status.linux")" "$work/status.linux" "$work/status.windows"
  local f
  for f in $(cd "$l" && find . -maxdepth 1 -type f -newer "$work/stamp" | sort) $(cd "$w" && find . -maxdepth 1 -type f -newer "$work/stamp" | sort); do
    [ -f "$l/$f" ] || { echo "differs: $name: $f written on Windows only" >&2; differences=$((differences + 1)); continue; }
    [ -f "$w/$f" ] || { echo "differs: $name: $f written here only" >&2; differences=$((differences + 1)); continue; }
  done
  for f in $(cd "$l" && find . -maxdepth 1 -type f -newer "$work/stamp" | sort); do
    [ -f "$w/$f" ] && compare "$name: file $f" "$l/$f" "$w/$f"
  done
  local prefs=""
  if [ -f "$l/app/Prefs/Orvelk.ini" ] || [ -f "$w/app/Prefs/Orvelk.ini" ]; then
    compare "$name: Prefs/Orvelk.ini" "$l/app/Prefs/Orvelk.ini" "$w/app/Prefs/Orvelk.ini"
    prefs=", preferences"
  fi
  echo "  $name: status $(cat "$work/status.linux"), $(cd "$l" && find . -maxdepth 1 -type f -newer "$work/stamp" | wc -l) files$prefs"
}

mkdir -p "$work/inputs" "$work/cases"
printf 'HELLO\nhttps://example.org/item/000001?lot=K7QX2M9A\n日本語のテキスト\n\n0123456789\n' > "$work/inputs/lines.txt"
printf '{"this is": "not an action set"' > "$work/inputs/broken.json"
head -c 9000 /dev/zero | tr '\0' 'x' > "$work/inputs/long.txt"
touch -d '2000-01-01' "$work/inputs"/*
touch -d '2000-01-01' "$work/inputs"

if [ -x "$windows/bin/orvelk.exe" ]; then
  orvelk_case help --help
  orvelk_case info info
  orvelk_case about about
  orvelk_case encode_text encode HELLO
  orvelk_case encode_codewords encode --format codewords --level H --version 3 "Orvelk 1.21"
  orvelk_case encode_svg encode --format svg -o hello.svg --level Q --mask 5 "https://example.org/"
  orvelk_case encode_kanji encode --format text --mode K --level L '漢字テスト'
  orvelk_case encode_mixed_auto encode --format codewords --mode auto 'ＱＲコード and ASCII 123'
  orvelk_case encode_numeric encode --format svg --mode N --version 10 -o n.svg 01234567890123456789
  orvelk_case encode_too_long encode --version 1 --level H "this text is far too long for version one at level H"
  orvelk_case encode_unknown_option encode --levle Q HELLO
  orvelk_case encode_filtered_away encode --mode N 'ABC'
  orvelk_case place_defaults place -o qr.svg --dump
  orvelk_case place_settings place --text '漢字のテスト\n二行目' --level Q --version 5 --mode K --mask 3 --cell 1.00 --record set.json -o k.svg --dump
  KEEP=1 orvelk_case place_saved_settings place --text '二回目のテキスト' -o again.svg --dump
  KEEP=1 orvelk_case place_no_dialog place --no-dialog -o no_dialog.svg
  KEEP=1 orvelk_case replay_recording replay set.json -o 'r-#.svg' --dump
  orvelk_case place_cancel place --text 'never placed' --cancel -o cancelled.svg
  orvelk_case place_too_long place --text-file long.txt -o long.svg
  orvelk_case batch_svg batch lines.txt -o 'b-##.svg' --save-actions lines.set.json --dump
  KEEP=1 orvelk_case replay_batch replay lines.set.json -o 'again-##.svg'
  orvelk_case batch_settings batch lines.txt --level H --mode auto --cell 0.25 -o 'h-#.svg'
  orvelk_case replay_broken replay broken.json -o 'x-#.svg'
  orvelk_case place_refused_on_both place --text 'x' --version 41 -o v.svg
fi

# The preview: versions 1, 10 and 40 and the empty text, in several levels,
# modes and masks. Text in hexadecimal code page 932.
preview_case() {
  local name=$1; shift
  cases=$((cases + 1))
  "$linux/bin/preview_capture" "$linux/app" "$@" > "$work/$name.linux.ppm" 2>&1
  echo "status $?" >> "$work/$name.linux.ppm"
  "$wine_run" "$windows/bin/preview_capture.exe" "$windows/app" "$@" > "$work/$name.windows.ppm" 2>&1
  echo "status $?" >> "$work/$name.windows.ppm"
  compare "preview $name" "$work/$name.linux.ppm" "$work/$name.windows.ppm"
}
preview_case v1 M B 1 0 48454c4c4f
preview_case v1_mask5 L A 1 6 48454c4c4f
preview_case v10_kanji Q K 10 0 "$(printf '%s' '漢字のテスト' | iconv -f UTF-8 -t CP932 | od -An -v -tx1 | tr -d ' \n')"
preview_case v40 H B 40 0 "$(head -c 1200 /dev/zero | tr '\0' 'A' | od -An -v -tx1 | tr -d ' \n')"
preview_case v40_numeric L N 40 3 "$(printf '0123456789%.0s' $(seq 1 100) | od -An -v -tx1 | tr -d ' \n')"
preview_case empty M B 0 0 -

# The resources.
cases=$((cases + 1))
"$linux/bin/resource_dump" "$linux/app/Plug-ins/Orvelk.aip" > "$work/resources.linux" 2>&1
"$wine_run" "$windows/bin/resource_dump.exe" "$windows/app/Plug-ins/Orvelk.aip" > "$work/resources.windows" 2>&1
compare "resources of Orvelk.aip" "$work/resources.linux" "$work/resources.windows"
resource_lines=$(wc -l < "$work/resources.linux")

# The table file the Windows generator wrote under Wine.
cases=$((cases + 1))
compare "ORVK_QR.DAT" "$linux/app/Prefs/Orvelk/ORVK_QR.DAT" "$windows/app/Prefs/Orvelk/ORVK_QR.DAT"

echo "windows equality: $cases cases, $comparisons comparisons, $differences differences ($resource_lines resources)"
[ "$differences" -eq 0 ]
