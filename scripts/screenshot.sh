#!/usr/bin/env bash
# Makes docs/screenshot.png, the README's picture of the window: the editor on its own Xvfb
# display with a theme opened from the command line, in a fresh home folder so that nothing of
# the user's own settings shows. Needs a build (scripts/start.sh or scripts/build.sh), Xvfb,
# xdotool and ImageMagick.
# Usage: scripts/screenshot.sh [BUILD_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "${1:-${BUILD_DIR:-build}}" && pwd)
out=$(pwd)/docs/screenshot.png
mkdir -p docs

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"

# An evening theme: the default one with warmer menus and a dark desktop.
mkdir -p "$work/home/Themes" "$work/runtime"
chmod 700 "$work/runtime"
theme="$work/home/Themes/sunset.thm"
"$build/cli/tintora-cli" new "$theme" --name Sunset --creator Tintora --modified-by Tintora \
  --created "6.12.2026 18:00:00" >/dev/null
sed -i -e 's/<Desktop_background Color="0xFFFEB6"/<Desktop_background Color="0x2E1F47"/' "$theme"

(cd "$work/home" && HOME="$work/home" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" \
  XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb exec "$build/app/tintora" Themes/sunset.thm \
  >"$work/app.log" 2>&1) &
pids+=($!)
window=$(timeout 30 xdotool search --sync --name "^Tintora ver:" | head -1)
sleep 2  # the theme opens and paints once the window is up
import -window "$window" "$out"
echo "wrote $out ($(identify -format '%wx%h' "$out"))"
