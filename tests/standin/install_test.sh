#!/usr/bin/env bash
# `cmake --install` into a prefix of its own, and the installed `orvelk` run
# as a new user would: it finds its library and its installed folder, makes
# the user's folder from that one (links, no copies), places a symbol and
# saves the settings there; the installed folder is not written. The manual
# pages are installed when the build made them.
# Usage: install_test.sh CMAKE BUILD_DIR [EMULATOR]
# (EMULATOR: the user-mode emulator this build's programs run through, if any)
set -euo pipefail
cmake=$1 build=$2 emulator=${3:-}
work=$(mktemp -d "${TMPDIR:-/tmp}/orvelk-install.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$cmake" --install "$build" --prefix "$work/prefix" >/dev/null
mkdir "$work/home"
HOME="$work/home" XDG_DATA_HOME= ORVELK_APP_FOLDER= ${emulator:+"$emulator"} "$work/prefix/bin/orvelk" place --text INSTALLED \
  -o "$work/placed.svg" 2>"$work/err" || fail "the installed orvelk failed: $(cat "$work/err")"
[ ! -s "$work/err" ] || fail "a placed symbol printed: $(cat "$work/err")"
user=$work/home/.local/share/orvelk
[ "$(readlink "$user/Plug-ins/Orvelk.aip")" = "$work/prefix/share/orvelk/Plug-ins/Orvelk.aip" ] ||
  fail "the user's folder does not link the installed module"
[ "$(readlink "$user/Prefs/Orvelk/ORVK_QR.DAT")" = "$work/prefix/share/orvelk/Prefs/Orvelk/ORVK_QR.DAT" ] ||
  fail "the user's folder does not link the installed table file"
grep -q INSTALLED "$user/Prefs/Orvelk.ini" || fail "OK saved no settings in the user's folder"
[ ! -e "$work/prefix/share/orvelk/Prefs/Orvelk.ini" ] || fail "the installed folder was written"
if [ -e "$build/man/man1/orvelk.1" ]; then
  for page in orvelk orvelk-place orvelk-encode; do
    [ -s "$work/prefix/share/man/man1/$page.1" ] || fail "the manual page $page(1) was not installed"
  done
fi
echo "ok: installed, ran from its own folders, the user's folder made from them"
