#!/usr/bin/env bash
# Sets up, builds and starts the editor. Builds only what the editor needs (no tests, no
# benchmarks) and says nothing when that is already up to date, so that a second start is
# instant. Arguments go to the editor: scripts/start.sh sunset.thm
set -euo pipefail
here=$(pwd)
cd "$(dirname "$0")/.."
scripts/setup.sh
build=${BUILD_DIR:-build}
if [ ! -f "$build/CMakeCache.txt" ]; then
  echo "Configuring $build ..."
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} >/dev/null
fi
# Only the lines of work done (compiling, linking) and errors; none when all is up to date.
set +e
cmake --build "$build" --target tintora -j2 2>&1 |
  grep -vE '^\[ *[0-9]+%\] (Built target|Automatic (MOC|RCC|UIC))|^g?make(\[[0-9]+\])?: |^ninja: no work to do'
status=${PIPESTATUS[0]}
set -e
[ "$status" -eq 0 ] || { echo "Building the editor failed." >&2; exit "$status"; }
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display to show the editor on: start it from a desktop session," >&2
  echo "or on a virtual one with: xvfb-run -a scripts/start.sh" >&2
  exit 1
fi
app=$(cd "$build" && pwd)/app/tintora
# A relative theme file is meant from where the script was called.
cd "$here"
exec "$app" "$@"
