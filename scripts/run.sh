#!/usr/bin/env bash
# Sets up what is missing, builds the release configuration, and runs the
# main job: the plug-in's filter as a user runs it from the host's menu,
# through its settings dialog on the built-in defaults (the default text
# "*SAMPLE TEXT*", level M, the smallest version, 8-bit byte mode, 0.50 mm,
# automatic mask), pressing OK. The document with the placed symbol is
# written as SVG, PDF and PNG, with a picture of the dialog as the user saw
# it, into build/release/out/, and their paths are printed. `orvelk` and its
# manual pages are installed first (under /usr/local, or ORVELK_PREFIX).
#
# The plug-in runs in a fresh copy of the application folder: a preferences
# file saved by an earlier run would otherwise open the dialog on its
# settings, and the preferences of the build's own folder stay as they are.
# Arguments are passed on to 'orvelk place' (e.g. --text 'ＱＲコード' --mode M).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release

# Installs `orvelk`, its installed application folder (share/orvelk, which
# it only reads) and its manual pages, so that `orvelk` and `man orvelk`
# work from any folder: under /usr/local, or ORVELK_PREFIX.
prefix=${ORVELK_PREFIX:-/usr/local}
sudo=""
if [ ! -w "$prefix" ] && [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
$sudo cmake --install build/release --prefix "$prefix" >/dev/null
if [ ! -e build/release/man/man1/orvelk.1 ]; then
  echo "run.sh: the manual pages were not made (help2man is missing)" >&2
fi

app=build/release/app
out="$PWD/build/release/out"
fresh=$(mktemp -d)
trap 'rm -rf "$fresh"' EXIT
mkdir -p "$fresh/Plug-ins" "$fresh/Prefs/Orvelk" "$out"
cp "$app/Plug-ins/Orvelk.aip" "$fresh/Plug-ins/"
cp "$app/Prefs/Orvelk/ORVK_QR.DAT" "$fresh/Prefs/Orvelk/"

./build/release/bin/orvelk place --app-folder "$fresh" \
    -o "$out/qr.svg" -o "$out/qr.pdf" -o "$out/qr.png" --show-dialog "$out/dialog.png" "$@"
for file in qr.svg qr.pdf qr.png dialog.png; do
    echo "$out/$file"
done
