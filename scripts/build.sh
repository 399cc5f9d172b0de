#!/usr/bin/env bash
# Configures and builds Tintora into ./build (or $BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} -DTINTORA_WERROR=$werror >/dev/null
cmake --build "$build" -j2
