#!/usr/bin/env bash
# Builds and runs every test twice: a normal build, and one with
# AddressSanitizer and UndefinedBehaviorSanitizer; the threaded code (host,
# engine, and live discovery with routers side by side) under
# ThreadSanitizer; then the end-to-end tests under valgrind; then every fuzz
# target for 30 seconds. The live tests start `quillon serve` (and with it
# snmpsimd) themselves, on 127.0.0.1.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)

# Every stage must run tests: a tree configured without them (or a filter
# that matches nothing) fails here instead of passing in silence.
ctest_all() { (cd "$1" && shift && ctest --output-on-failure --no-tests=error -j "$jobs" "$@"); }

"$root/scripts/build.sh" build -DQUILLON_TESTS=ON -DQUILLON_BENCHMARKS=ON
ctest_all "$root/build"

"$root/scripts/build.sh" build-asan -DQUILLON_SANITIZE=ON -DQUILLON_TESTS=ON -DQUILLON_BENCHMARKS=OFF
ASAN_OPTIONS=detect_leaks=1 ctest_all "$root/build-asan"

"$root/scripts/build.sh" build-tsan -DQUILLON_TSAN=ON -DQUILLON_TESTS=ON -DQUILLON_BENCHMARKS=OFF
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 ctest_all "$root/build-tsan" -L 'host|engine|live'

"$root/scripts/valgrind.sh" "$root/build"

# Fuzz targets side by side, one per CPU: about four minutes on two.
"$root/scripts/fuzz.sh" 30
