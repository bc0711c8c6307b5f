#!/usr/bin/env bash
# Configures and builds one build tree.
#   scripts/build.sh [DIR] [extra cmake arguments...]   (DIR defaults to build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-build}
shift || true
"$root/scripts/deps.sh"
cmake -S "$root" -B "$root/$dir" -G Ninja "$@" >/dev/null
cmake --build "$root/$dir"
