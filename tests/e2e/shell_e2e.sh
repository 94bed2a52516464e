#!/usr/bin/env bash
# End-to-end test of the real program under Xvfb with real input events:
# screenshots at 240x320 and 480x640, keys, taps and menus change the page and
# the settings, and a second start behaves as it should in its three cases.
# usage: shell_e2e.sh DARVO DARVO_REG OUTPUT_DIR
set -euo pipefail

darvo=$1
reg=$2
out=$3
mkdir -p "$out"
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT

export DARVO_REGISTRY=$work/registry.db
export DARVO_INSTANCE=darvo-e2e-$$
export DARVO_INSTANCE_LOG=$work/instance.log
export XDG_RUNTIME_DIR=$work/runtime
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$(cd "$(dirname "$0")/.." && pwd)/lsan.supp:print_suppressions=0}
unset QT_QPA_PLATFORM
mkdir -m 700 "$XDG_RUNTIME_DIR"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }
setting() { "$reg" get 'Software\Orvanta\Darvo' "$1" 2>/dev/null || echo missing; }

# Our own X server, on a display number it picks itself.
exec 4>"$work/display"
Xvfb -displayfd 4 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=:$(cat "$work/display")

start_darvo() {
  "$darvo" >>"$work/darvo.log" 2>&1 &
  darvo_pid=$!
  window=$(xdotool search --sync --onlyvisible --name '^Darvo$' | head -1)
  sleep 1.5
}

# The whole screen's image of the window (menus included, which are windows of their own).
shot() { import -window root -crop "${2:-480x640}+0+0" "$out/$1.png"; }
same() { [ "$(compare -metric AE "$out/$1.png" "$out/$2.png" null: 2>&1 || true)" = 0 ]; }
# Takes shot $2 until it differs from shot $1 (or is the same, with "same"), for up to 5 s.
changed() {
  for _ in $(seq 25); do
    shot "$2" "${3:-}"
    same "$1" "$2" || return 0
    sleep 0.2
  done
  return 1
}
back_to() {
  for _ in $(seq 25); do
    shot "$2" "${3:-}"
    same "$1" "$2" && return 0
    sleep 0.2
  done
  return 1
}

stop_darvo() {
  kill -TERM "$darvo_pid" 2>/dev/null || true
  wait "$darvo_pid" || fail "darvo ended with $?"
}

"$reg" set 'Software\Orvanta\Darvo' FontName text 'DejaVu Sans'
"$reg" set 'Software\Orvanta\Darvo' FontSize number 16

# 1. Reading with real keys, taps and menus.
start_darvo
xdotool windowmove "$window" 0 0
sleep 0.5
shot start
xdotool key Right
sleep 0.5
changed start right && pass "Right changes the page" || fail "Right did not change the page"
xdotool key Left
sleep 0.5
back_to start left && pass "Left goes back to the first page" || fail "Left did not go back"
xdotool key Right
sleep 0.5
xdotool key Next
sleep 0.5
changed right pagedown && pass "Page Down changes the page" || fail "Page Down did not change the page"
xdotool mousemove 200 250 click 1   # lower half of the top pane: forward
sleep 0.5
changed pagedown tap && pass "a tap pages the top pane" || fail "a tap did not page"
xdotool mousemove 20 12 click 1     # the "Go" drop-down
sleep 0.7
shot menu-go
xdotool key v                       # Re&verse
sleep 0.5
xdotool mousemove 20 12 click 1
sleep 0.7
changed menu-go menu-go-reversed && pass "the Go menu shows the Reverse check" \
  || fail "the Reverse check did not show"
xdotool key Escape
sleep 0.3
xdotool mousemove 70 12 click 1     # "Marginel"
sleep 0.7
shot menu-marginel
xdotool key 4                       # 1/&4 Screen
sleep 0.5
shot quarter
xdotool mousemove 20 12 click 1
sleep 0.5
xdotool key x                       # E&xit
wait "$darvo_pid" && pass "Exit ends the program with 0" || fail "Exit ended with $?"
[ "$(setting Lesson)" = 3 ] && pass "Lesson 3 saved" || fail "Lesson saved as $(setting Lesson)"
[ "$(setting LastPosition)" != 0 ] && pass "top position saved" || fail "LastPosition $(setting LastPosition)"
[ "$(setting BottomSection)" = 14 ] && pass "bottom section saved" || fail "BottomSection $(setting BottomSection)"
[ $(( $(setting Flags) & 0x800 )) != 0 ] && pass "Reverse saved" || fail "Flags $(setting Flags)"

# 2. Screenshots at both sizes; the window manager's close path (SIGTERM) saves too.
"$reg" set 'Software\Orvanta\Darvo' Lesson number 1
"$reg" set 'Software\Orvanta\Darvo' LastPosition number 0
"$reg" set 'Software\Orvanta\Darvo' BottomSection number 12
"$reg" set 'Software\Orvanta\Darvo' Flags number 3507748928
start_darvo
xdotool windowmove "$window" 0 0
sleep 0.5
shot screen-480x640
xdotool windowsize "$window" 240 320
sleep 1
shot screen-240x320 240x320
xdotool key Next
sleep 0.3
xdotool mousemove 100 300 click 1   # lower half of the commentary: it pages
sleep 0.5
changed screen-240x320 tap-commentary 240x320 || fail "keys and taps did not change the small window"
stop_darvo
[ "$(setting LastPosition)" != 0 ] && pass "SIGTERM saves like Exit" || fail "SIGTERM did not save"
[ "$(setting BottomSectionLastPosition)" != 0 ] && pass "a tap pages the commentary" \
  || fail "BottomSectionLastPosition $(setting BottomSectionLastPosition)"

# 3. The global option puts the bar at the bottom; Exit from there; SIGINT saves too.
"$reg" set 'software\Orvanta' MenuBarOnBottom number 1
start_darvo
xdotool windowmove "$window" 0 0
sleep 0.5
shot menubar-bottom
xdotool mousemove 20 628 click 1    # "Go" at the bottom: its menu opens above it
sleep 0.7
shot menubar-bottom-go
xdotool key x
wait "$darvo_pid" && pass "Exit from the bottom bar" || fail "the bottom bar's Exit ended with $?"
"$reg" set 'software\Orvanta' MenuBarOnBottom number 0
"$reg" set 'Software\Orvanta\Darvo' LastPosition number 0
"$reg" set 'Software\Orvanta\Darvo' Lesson number 3  # longer than a page
start_darvo
xdotool windowmove "$window" 0 0
sleep 0.3
xdotool key Next
sleep 0.3
xdotool mousemove 20 12 click 1     # the Go menu is open when the session ends
sleep 0.7
kill -INT "$darvo_pid"
for _ in $(seq 50); do kill -0 "$darvo_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$darvo_pid" 2>/dev/null; then
  fail "an open menu kept the program from ending"
  xdotool key Escape
fi
wait "$darvo_pid" && pass "SIGINT ends with 0" || fail "SIGINT ended with $?"
[ "$(setting LastPosition)" != 0 ] && pass "SIGINT saves like Exit" || fail "SIGINT did not save"

# 4. Second start, three cases.
: >"$DARVO_INSTANCE_LOG"
start_darvo
"$darvo" >>"$work/darvo.log" 2>&1 && pass "second copy ends with 0" || fail "second copy ended with $?"
grep -q '^foreground -> main$' "$DARVO_INSTANCE_LOG" && grep -q '^message 12 119 0 -> ok$' "$DARVO_INSTANCE_LOG" \
  && pass "main window in front: command 119" || fail "case 1: $(cat "$DARVO_INSTANCE_LOG")"

: >"$DARVO_INSTANCE_LOG"
xmessage -geometry +600+100 other program &
other=$!
other_window=$(xdotool search --sync --onlyvisible --name '^xmessage$' | head -1)
xdotool windowfocus --sync "$other_window" || true
sleep 0.5
"$darvo" >>"$work/darvo.log" 2>&1 || fail "second copy ended with $?"
sleep 0.5
grep -q '^foreground -> none$' "$DARVO_INSTANCE_LOG" && grep -q '^raise -> ok$' "$DARVO_INSTANCE_LOG" \
  && ! grep -q '^message' "$DARVO_INSTANCE_LOG" \
  && pass "another program in front: the running copy comes forward" || fail "case 2: $(cat "$DARVO_INSTANCE_LOG")"
focus=$(xdotool getwindowfocus)
[ "$focus" != "$other_window" ] && pass "the other program lost the focus" || fail "focus stayed on the other program"
kill "$other" 2>/dev/null || true

: >"$DARVO_INSTANCE_LOG"
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool mousemove 20 12 click 1
sleep 0.5
xdotool key b                       # &Bookmark: added
sleep 0.3
xdotool mousemove 20 12 click 1
sleep 0.5
xdotool key b                       # again: "Remove Bookmark?" opens
sleep 1
shot bookmark-question
"$darvo" >>"$work/darvo.log" 2>&1 || fail "second copy ended with $?"
grep -q '^foreground -> dialog$' "$DARVO_INSTANCE_LOG" && ! grep -q '^message\|^raise' "$DARVO_INSTANCE_LOG" \
  && pass "own dialog in front: nothing happens" || fail "case 3: $(cat "$DARVO_INSTANCE_LOG")"
# The session ends while the question is open: the program ends, and the
# question cut short changes nothing (the bookmark stays).
stop_darvo
[ "$(setting Bookmarks)" = 03000000 ] && pass "SIGTERM during a question keeps the bookmark" \
  || fail "Bookmarks $(setting Bookmarks)"

if [ "$failures" -ne 0 ]; then
  echo "--- darvo output"; cat "$work/darvo.log"
  exit 1
fi
echo "all end-to-end checks passed; screenshots in $out"
