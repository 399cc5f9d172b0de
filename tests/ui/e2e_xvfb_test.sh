#!/usr/bin/env bash
# End to end: the real tintora binary on its own Xvfb display. Opens a theme with one click in the
# file browser and checks on a screenshot that the desktop screen of the preview shows the theme's
# Desktop_background; types another colour into that element's hex box with xdotool and checks the
# preview again; imports a PNG into the standby slot through the fit dialog and finds it, in phone
# colours, on the standby screen; then leaves through the Exit button and checks the stored colour.
# Usage: e2e_xvfb_test.sh PATH/TO/tintora [PATH/TO/tintora-cli]; the command-line companion is
# looked for beside the editor's build folder when not given. Exit 77 (skipped) only when Xvfb is
# not installed.
set -euo pipefail

app=${1:?path to the tintora binary}
cli=${2:-$(dirname "$app")/../cli/tintora-cli}
if ! command -v Xvfb >/dev/null; then
  echo "SKIP: Xvfb is not installed"
  exit 77
fi
for tool in xdotool import convert compare; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/setup.sh installs it)"; exit 1; }
done

work=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  if [ "${KEEP_E2E:-}" = "1" ]; then echo "kept $work"; else rm -rf "$work"; fi
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; [ -f "$work/app.log" ] && cat "$work/app.log"; exit 1; }

# Waits up to $1 tenths of a second for the command after it to succeed.
wait_for() {
  local tenths=$1; shift
  for _ in $(seq "$tenths"); do "$@" && return 0; sleep 0.1; done
  return 1
}

# Xvfb picks a display nobody uses and names it once it takes clients.
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
wait_for 100 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(cat "$work/display")"

geometry="$work/geometry.txt"
mkdir -p "$work/home" "$work/data" "$work/config" "$work/runtime"
chmod 700 "$work/runtime"

# A theme in the home folder, where the browser starts: the default theme with another
# Desktop_background. The colour is swapped inside the archive's document for one of the same
# length, which leaves the archive's headers valid.
[ -x "$cli" ] || fail "tintora-cli not found at $cli"
theme="$work/home/opened.thm"
"$cli" new "$theme" --name Opened >/dev/null || fail "tintora-cli could not write a theme"
sed -i 's/<Desktop_background Color="0xFFFEB6"/<Desktop_background Color="0x3C7A5E"/' "$theme"
grep -q 'Desktop_background Color="0x3C7A5E"' "$theme" || fail "could not set the theme's colour"
HOME="$work/home" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" \
  QT_QPA_PLATFORM=xcb TINTORA_TEST_GEOMETRY_FILE="$geometry" "$app" >"$work/app.log" 2>&1 &
app_pid=$!

timeout 30 xdotool search --sync --name "Tintora ver:4.2.5" >/dev/null || fail "the window did not appear"
wait_for 100 test -s "$geometry" || fail "no widget places reported"

# "x y width height" of a named widget or screen.
rect() { awk -v n="$1" '$1 == n { print $2, $3, $4, $5 }' "$geometry"; }
click() {
  local x y w h
  read -r x y w h < <(rect "$1") || fail "$1 is not on screen"
  xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
}
# The colour at a screen position, as rrggbb, from a fresh screenshot.
pixel() {
  import -window root -depth 8 "$work/shot.ppm"
  convert "$work/shot.ppm" -format "%[hex:p{$1,$2}]" info: | tr 'A-F' 'a-f'
}

# The lower left of the desktop screen shows the Desktop_background colour only.
read -r sx sy sw sh < <(rect f_Setting) || fail "no desktop screen reported"
px=$((sx + 12)); py=$((sy + sh - 12))
before=$(pixel $px $py)
[ "$before" != "12ab34" ] && [ "$before" != "3c7a5e" ] || fail "the desktop already shows a colour the test sets"

shows_colour() { [ "$(pixel $px $py)" = "$1" ]; }

# The theme opens with one click on its entry in the file browser, on the Files tab that start-up
# shows.
grep -q "^currentTab 5$" "$geometry" || fail "the Files tab is not the current one"
wait_for 50 grep -q "^ListFiles:opened.thm " "$geometry" || fail "the browser does not list opened.thm"
click ListFiles:opened.thm
wait_for 100 shows_colour 3c7a5e || fail "after opening, the desktop screen shows $(pixel $px $py), not 3c7a5e"

click tab_4
wait_for 100 grep -q "^txtColor_8 " "$geometry" || fail "the hex box of Desktop_background is not shown"
click txtColor_8
xdotool key --clearmodifiers ctrl+a BackSpace
xdotool type --delay 30 "12ab34"

wait_for 100 shows_colour 12ab34 || fail "the desktop screen shows $(pixel $px $py), not 12ab34 (before: $before)"

# Import: a PNG into the standby slot through the open dialog and the fit dialog's defaults (fill
# and crop, dithered). The standby screen then shows the picture in phone colours, pixel for pixel
# as tintora-cli makes it with the same defaults, except where the screen's texts lie over it.
convert -size 300x200 gradient:'#3a7bd5'-'#d5533a' "$work/photo.png" || fail "could not make a PNG"
"$cli" picture "$work/photo.png" --slot 0 "$work/expected.gif" || fail "tintora-cli picture failed"
# The screen is looked up each time: the preview moves when the tabs change width.
differing() {
  read -r ox oy ow oh < <(rect f_operaotr) || fail "no standby screen reported"
  import -window root -depth 8 "$work/shot.ppm"
  convert "$work/shot.ppm" -crop "${ow}x${oh}+${ox}+${oy}" +repage "$work/standby.ppm"
  convert "$work/expected.gif" -filter point -resize "${ow}x${oh}!" "$work/expected.ppm"
  compare -metric AE "$work/standby.ppm" "$work/expected.ppm" null: 2>&1 | cut -d' ' -f1 || true
}
read -r _ _ ow oh < <(rect f_operaotr) || fail "no standby screen reported"
total=$((ow * oh))
[ "$(differing)" -gt $((total / 2)) ] || fail "the standby screen already looks like the picture"
# The places are written when a tab is chosen, which the first time is before its rows are laid
# out: so the Image tab is chosen twice.
for tab in 0 1 0; do
  click tab_$tab
  wait_for 100 grep -q "^currentTab $tab$" "$geometry" || fail "tab $tab was not chosen"
done
wait_for 100 grep -q "^cmdImport_0 " "$geometry" || fail "the Import button of the standby slot is not shown"
click cmdImport_0
timeout 20 xdotool search --sync --name "^Import picture$" >/dev/null || fail "the open dialog did not appear"
sleep 0.5
xdotool type --delay 20 "$work/photo.png"
xdotool key Return
timeout 20 xdotool search --sync --name "^Import picture - " >/dev/null || fail "the fit dialog did not appear"
sleep 0.5
xdotool key Return
standby_shows_picture() { [ "$(differing)" -lt $((total / 3)) ]; }
wait_for 100 standby_shows_picture || fail "the standby screen differs from the picture in $(differing) of $total pixels"

click cmdExit
wait_for 100 bash -c "! kill -0 $app_pid 2>/dev/null" || fail "Exit did not end the program"
app_pid=""
grep -q "^8=12AB34$" "$work/config/Tintora/Tintora.conf" || fail "the stored colour of element 8 is not 12AB34"
grep -q "Exit Application" "$work/data/Tintora/"*.txt || fail "no exit line in the log"
echo "PASS: opened.thm opened with a click and showed 3c7a5e; typed 12ab34, the preview showed it; a PNG imported into the standby slot showed in phone colours; Exit stored 12AB34"
