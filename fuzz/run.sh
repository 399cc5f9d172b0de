#!/usr/bin/env bash
# Builds one libFuzzer target with clang and runs it for a while.
#   fuzz/run.sh TARGET SECONDS   e.g. fuzz/run.sh archive 600
#   fuzz/run.sh --list           the targets there are
# The build goes to build-fuzz beside fuzz/ (or $FUZZ_BUILD_DIR). New inputs found are kept in
# fuzz/corpus-run/TARGET (not committed); crash inputs land in the build folder's artifacts/.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

if [ "${1:-}" = "--list" ]; then
  for f in "$here"/*_fuzz.cpp; do basename "$f" _fuzz.cpp; done
  exit 0
fi
if [ $# -lt 1 ]; then
  echo "usage: $0 TARGET [SECONDS] | --list" >&2
  exit 2
fi
target=${1%_fuzz}
seconds=${2:-60}
[ -f "$here/${target}_fuzz.cpp" ] || { echo "no fuzz target '$target'" >&2; exit 2; }

build=${FUZZ_BUILD_DIR:-$here/../build-fuzz}
cmake -S "$here" -B "$build" -DCMAKE_CXX_COMPILER="${FUZZ_CXX:-clang++}" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTINTORA_FUZZ=ON >/dev/null
cmake --build "$build" -j2 --target "${target}_fuzz"

corpus="$here/corpus-run/$target"
seeds="$here/corpus/$target"
mkdir -p "$corpus" "$build/artifacts"
log="$build/${target}_fuzz.log"
# The inputs are small: a small quarantine keeps AddressSanitizer from cycling hundreds of
# megabytes of pages, which made short runs spend a third of their time in the kernel.
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=16}
status=0
"$build/${target}_fuzz" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 \
  -artifact_prefix="$build/artifacts/${target}-" "$corpus" "$seeds" >"$log" 2>&1 || status=$?
runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
echo "fuzz ${target}: ${runs} executions in ${seconds} s, exit ${status} (log: $log)"
if [ "$status" -ne 0 ]; then
  tail -n 40 "$log" >&2
fi
exit "$status"
