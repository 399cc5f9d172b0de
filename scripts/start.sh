#!/usr/bin/env bash
# Sets up, builds and starts the editor.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
build=${BUILD_DIR:-build}
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display to show the editor on: start it from a desktop session," >&2
  echo "or on a virtual one with: xvfb-run -a scripts/start.sh" >&2
  exit 1
fi
exec "$build/app/tintora" "$@"
