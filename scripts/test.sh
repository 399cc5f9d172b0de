#!/usr/bin/env bash
# Sets up, builds and runs every test; then runs each fuzzer briefly when clang is available.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
build=${BUILD_DIR:-build}
(cd "$build" && ctest --output-on-failure -j2)
if command -v clang++ >/dev/null && [ -x fuzz/run.sh ] && [ "${SKIP_FUZZ:-}" != "1" ]; then
  for target in $(fuzz/run.sh --list); do
    fuzz/run.sh "$target" "${FUZZ_SECONDS:-30}"
  done
fi
