#!/usr/bin/env bash
# Runs a Windows program of the cross build under Wine, quietly and without a
# display. The Wine prefix is $WINEPREFIX when set (scripts/test.sh makes a
# fresh one), else one kept in the build folder beside the program.
set -euo pipefail
if [ -z "${WINEPREFIX:-}" ]; then
  program_dir="$(cd "$(dirname "$1")" && pwd)"
  WINEPREFIX="$(dirname "$program_dir")/wineprefix"
fi
export WINEPREFIX
export WINEDEBUG=-all
# No Mono, no Gecko, no display: the programs are console programs.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset DISPLAY WAYLAND_DISPLAY
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot --init >/dev/null 2>&1 || true
  wineserver --wait || true
fi
exec wine "$@"
