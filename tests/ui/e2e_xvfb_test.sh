#!/usr/bin/env bash
# What only a real display shows, on an Xvfb display of its own and driven with xdotool.
# Usage: e2e_xvfb_test.sh TINTORA_E2E [TINTORA_CLI]; exit 77 (skipped) only without Xvfb.
set -euo pipefail

app=$(realpath "${1:?path to the tintora binary}")
cli=${2:-$(dirname "$app")/../cli/tintora-cli}
command -v Xvfb >/dev/null || { echo "SKIP: Xvfb is not installed"; exit 77; }
for tool in xdotool xprop convert; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/setup.sh installs it)"; exit 1; }
done

work=$(mktemp -d)
xvfb_pid="" app_pid=""
cleanup() {
  kill $app_pid $xvfb_pid 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; [ -f "$work/app.log" ] && cat "$work/app.log"; exit 1; }

# Waits up to $1 tenths of a second for the command after it to succeed.
wait_for() {
  local tenths=$1; shift
  for _ in $(seq "$tenths"); do "$@" && return 0; sleep 0.1; done
  return 1
}

# The first window that `xdotool search ARGS` finds. Waiting, each try must be a fresh search:
# a window that closes while a waiting search looks at it makes that search fail with BadWindow.
find_window() { local w; w=$(xdotool search "$@" 2>/dev/null | head -1) && [ -n "$w" ] && echo "$w"; }

# Xvfb picks a display nobody uses and names it once it takes clients.
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
wait_for 100 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(cat "$work/display")"

geometry="$work/geometry.txt"
mkdir -p "$work/home/themes" "$work/data" "$work/config" "$work/runtime"
chmod 700 "$work/runtime"

theme=$work/home/themes/argued.thm
"$cli" new "$theme" >/dev/null || fail "tintora-cli could not write a theme"
# The theme is given relative to the folder the editor starts in, as a file manager or a shell may.
start_editor() {
  rm -f "$geometry"
  (cd "$work/home" && HOME="$work/home" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" \
    XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb TINTORA_TEST_GEOMETRY_FILE="$geometry" \
    exec "$app" "$@" >>"$work/app.log" 2>&1) &
  app_pid=$!
}
start_editor themes/argued.thm

window=$(wait_for 600 find_window --name "argued.thm$") || fail "no window showing the theme given"
xprop -id "$window" _NET_WM_ICON >"$work/icon.txt" 2>&1
grep -q "Icon (48 x 48)" "$work/icon.txt" || fail "no 48 pixel icon: $(head -c 300 "$work/icon.txt")"

# "x y width height" of a named widget or screen, once it is shown and the last change laid out.
rect() {
  wait_for 100 grep -q "^$1 " "$geometry" || return 1
  sleep 0.3
  awk -v n="$1" '$1 == n { print $2, $3, $4, $5 }' "$geometry"
}
click() {
  local x y w h
  read -r x y w h < <(rect "$1") || fail "$1 is not on screen"
  xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
}

# Resting the pointer on the desktop screen names its colour in a tooltip, titled with the text.
# Focused, the window is active, as Qt's tooltips need.
xdotool windowfocus --sync "$window"
read -r x y _ h < <(rect f_Setting) || fail "no desktop screen reported"
xdotool mousemove $((x + 13)) $((y + h - 13)) sleep 0.2 mousemove $((x + 12)) $((y + h - 12))
wait_for 100 find_window --onlyvisible --name "^Desktop background FFFEB6$" >/dev/null ||
  fail "no tooltip naming Desktop background FFFEB6"

# A PNG imported into the standby slot through the real open dialog and the fit dialog's defaults.
convert -size 300x200 gradient:'#3a7bd5'-'#d5533a' "$work/photo.png" || fail "could not make a PNG"
xdotool key ctrl+1  # the Image page
click cmdImport_0
wait_for 200 find_window --name "^Import picture$" >/dev/null || fail "the open dialog did not appear"
sleep 0.5
xdotool type --delay 20 "$work/photo.png"
xdotool key Return
wait_for 200 find_window --name "^Import picture - " >/dev/null || fail "the fit dialog did not appear"
sleep 0.5
xdotool key Return
wait_for 100 find_window --name "argued.thm \\*$" >/dev/null || fail "the import did not change the theme"

# Killed after a change: the recovery file is offered at the next start and restores the theme.
recovery_written() { compgen -G "$work/data/Tintora/recovery-*.thm" >/dev/null; }
wait_for 30 recovery_written || fail "no recovery file within three seconds of the change"
kill -9 "$app_pid"
wait "$app_pid" 2>/dev/null || true
start_editor
wait_for 600 find_window --name "Tintora ver:4.2.5" >/dev/null || fail "the window did not appear again"
# The question is a box of its own, titled with the program's name; its first button restores.
answer() {
  local box
  box=$(wait_for 200 find_window --onlyvisible --name "^Tintora$") || fail "no question box ($1)"
  xdotool mousemove --window "$box" 8 8 click 1 key --clearmodifiers "${@:2}"
}
answer restore Return
wait_for 100 find_window --name "argued.thm \\*$" >/dev/null || fail "the restored theme is not marked modified"

# Exit asks before the changes are dropped; Discard (the second button) leaves.
click cmdExit
answer discard Tab space
wait_for 100 bash -c "! kill -0 $app_pid 2>/dev/null" || fail "Exit did not end the program"
app_pid=""
recovery_written && fail "the recovery file is still there after Exit"
echo "PASS: icon; the theme given opened; tooltip; import; recovery; Exit"
