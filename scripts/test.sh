#!/usr/bin/env bash
# Builds and runs every test twice: a normal build, and one with
# AddressSanitizer and UndefinedBehaviorSanitizer; then the end-to-end tests
# under valgrind; then every fuzz target for 30 seconds.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)

"$root/scripts/build.sh" build
(cd "$root/build" && ctest --output-on-failure -j "$jobs")

"$root/scripts/build.sh" build-asan -DQUILLON_SANITIZE=ON -DQUILLON_BENCHMARKS=OFF
(cd "$root/build-asan" && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j "$jobs")

if [ -x "$root/scripts/valgrind.sh" ]; then
  "$root/scripts/valgrind.sh" "$root/build"
fi

# Fuzz targets side by side, one per CPU: about four minutes on two.
"$root/scripts/fuzz.sh" 30
