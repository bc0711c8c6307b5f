#!/usr/bin/env bash
# Builds quillon and runs a discovery: of the built-in example lab, or of the
# lab files and options given.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" build -DQUILLON_TESTS=OFF -DQUILLON_BENCHMARKS=OFF >&2
exec "$root/build/bin/quillon" discover "$@"
