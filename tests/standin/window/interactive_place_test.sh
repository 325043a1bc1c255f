#!/usr/bin/env bash
# orvelk place --interactive under Xvfb, driven with xdotool as a person
# would: type a text, change the level and the version, check the window's
# preview and information text against the scripted run of the same
# settings, press OK and read the exported symbol back; then the same with
# Escape, which places nothing.
# The window opens with the text focused and selected: typing at once
# replaces it; a character code page 932 lacks does not enter the text, and
# the window says which (with ORVELK_SCREENSHOTS=DIR set, both windows are
# saved there as focused.png and refused.png).
# Usage: interactive_place_test.sh ORVELK DECODE_PNG APP_FOLDER
set -euo pipefail
orvelk=$1 decode=$2 app=$3

for tool in Xvfb xdotool import compare; do
  if ! command -v "$tool" >/dev/null; then
    echo "skipped: $tool is missing (scripts/setup.sh installs xvfb, xdotool, imagemagick)"
    exit 77
  fi
done

work=$(mktemp -d "${TMPDIR:-/tmp}/orvelk-window.XXXXXX")
xvfb_pid=
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A display of our own: Xvfb picks a free number and writes it to fd 3. It
# must not reset when its last client leaves: a run that starts during a
# reset finds no display (seen on a loaded machine between two runs).
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" \
  2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
unset WAYLAND_DISPLAY

fail() { echo "FAIL: $*" >&2; cat "$work"/*.err >&2 2>/dev/null || true; exit 1; }

# Each run in a copy of the application folder without preferences, so that
# the dialog opens with the plug-in's defaults (level M, version automatic)
# and OK saves into the copy.
fresh_app() {
  rm -rf "$work/$1"; cp -r "$app" "$work/$1"; rm -f "$work/$1/Prefs/Orvelk.ini"; echo "$work/$1"
}

# Waits for the settings dialog's window, up to 30 seconds (a loaded
# machine may take long to start GTK); prints its id.
find_window() {
  for _ in $(seq 300); do
    local id
    id=$(xdotool search --onlyvisible --name 'Orvelk QR' 2>/dev/null | head -1 || true)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.1
  done
  return 1
}

# Clicks at (x, y) of window $1.
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; }

# The person's actions: the text, level Q (one below M), version 2 (two
# below automatic). Item 13 lies at (18, 290)-(506, 313), item 5 at (114,
# 26)-(247, 44), item 7 at (114, 56)-(247, 74).
act() {
  local w=$1
  xdotool windowfocus --sync "$w"
  click "$w" 200 301
  xdotool key ctrl+a
  xdotool type --delay 30 'Hello GTK'
  click "$w" 180 35; sleep 0.4; xdotool key Down Return; sleep 0.3
  click "$w" 180 65; sleep 0.4; xdotool key Down Down Return; sleep 0.3
}

# The scripted run of the same settings: its preview and dialog pictures.
ref_app=$(fresh_app ref)
"$orvelk" place --no-interactive --app-folder "$ref_app" --text 'Hello GTK' --level Q \
  --version 2 --show-preview "$work/ref-preview.png" --show-dialog "$work/ref-dialog.png" \
  -o "$work/ref.svg" 2>"$work/ref.err" || fail "the scripted run failed"
# Item 14 at (18, 188)-(249, 262); the picture's client area starts at (3, 22).
convert "$work/ref-dialog.png" -crop 231x74+21+210 +repage "$work/ref-info.png"

# OK: the window's pixels, then the placed symbol.
# Starts place --interactive (with the options after $1) in application
# folder copy $1, exporting to $1.png; sets run (its pid) and w (its window,
# focused).
start_window() {
  local name=$1
  shift
  "$orvelk" place --interactive "$@" --app-folder "$(fresh_app "$name")" -o "$work/$name.png" \
    </dev/null >"$work/$name.out" 2>"$work/$name.err" &
  run=$!
  w=$(find_window) || fail "no window named 'Orvelk QR' appeared for the $name run"
  xdotool windowfocus --sync "$w"
  sleep 0.3
}
# The same, then the person's actions.
start_and_act() {
  start_window "$1" --verbose
  act "$w"
}
start_and_act ok
ok_app=$work/ok
same=no
for _ in $(seq 20); do
  import -window "$w" "$work/shot.png"
  convert "$work/shot.png" -crop 243x231+263+15 +repage "$work/shot-preview.png"
  convert "$work/shot.png" -crop 231x74+18+188 +repage "$work/shot-info.png"
  if [ "$(compare -metric AE "$work/shot-preview.png" "$work/ref-preview.png" null: 2>&1)" = 0 ] &&
     [ "$(compare -metric AE "$work/shot-info.png" "$work/ref-info.png" null: 2>&1)" = 0 ]; then
    same=yes; break
  fi
  sleep 0.25
done
[ "$same" = yes ] || fail "the window's preview or information text differs from the scripted run's"
xdotool windowfocus --sync "$w"
xdotool key Return
wait "$run" || fail "place --interactive with OK exited with $?"
decoded=$("$decode" "$work/ok.png") || fail "no symbol read from the placed document"
[ "$decoded" = 'Hello GTK' ] || fail "the placed symbol reads '$decoded'"
grep -q 'closed with \[OK\]' "$work/ok.err" || fail "the transcript does not name OK"

# Escape: Cancel, nothing placed.
start_and_act cancel
cancel_app=$work/cancel
xdotool windowfocus --sync "$w"
xdotool key Escape
status=0
wait "$run" || status=$?
[ "$status" = 6 ] || fail "place --interactive with Escape exited with $status, not 6"
[ ! -e "$work/cancel.png" ] || fail "Cancel exported a document"
grep -q 'closed with \[Cancel\]' "$work/cancel.err" || fail "the transcript does not name Cancel"
[ ! -e "$cancel_app/Prefs/Orvelk.ini" ] || fail "Cancel saved the preferences"
[ -e "$ok_app/Prefs/Orvelk.ini" ] || fail "OK saved no preferences"

# Typing at once, without a click: the keys reach the text field and
# replace the default text.
start_window focus
if [ -n "${ORVELK_SCREENSHOTS:-}" ]; then import -window "$w" "$ORVELK_SCREENSHOTS/focused.png"; fi
xdotool type --delay 30 'FOCUS1'
sleep 0.3
xdotool key Return
wait "$run" || fail "place --interactive typed at once exited with $?"
decoded=$("$decode" "$work/focus.png") || fail "no symbol read from the focus run"
[ "$decoded" = 'FOCUS1' ] || fail "typing at once placed '$decoded', not 'FOCUS1'"
[ ! -s "$work/focus.err" ] || fail "a quiet run printed: $(cat "$work/focus.err")"

# A character without a code page 932 form is refused in the window, never
# placed as '?'.
start_window refused
xdotool type --delay 60 'café'
sleep 0.5
if [ -n "${ORVELK_SCREENSHOTS:-}" ]; then import -window "$w" "$ORVELK_SCREENSHOTS/refused.png"; fi
xdotool key Return
wait "$run" || fail "place --interactive with a refused character exited with $?"
decoded=$("$decode" "$work/refused.png") || fail "no symbol read from the refusal run"
[ "$decoded" = 'caf' ] || fail "typing 'café' placed '$decoded', not 'caf'"

echo "ok: typed, chose, previewed, placed and cancelled in the window; typed at once; refused é"
