#!/usr/bin/env bash
# Sets up, builds and starts the editor.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
build=${BUILD_DIR:-build}
if [ -x "$build/app/tintora" ]; then
  exec "$build/app/tintora" "$@"
fi
# Until the editor window exists: write the default theme with the command-line companion.
"$build/cli/tintora-cli" new default.thm --name Default
echo "Wrote default.thm"
