#!/usr/bin/env bash
# Holds the Windows build equal to this machine's: the same cases run by the
# Linux programs (build/release) and by the Windows programs under Wine
# (build/windows) must give the same bytes — standard output, standard error,
# exit status, every file written and the preferences file after the case —
# with only the application folder's path told apart. Also compares the
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
