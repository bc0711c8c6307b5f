#!/usr/bin/env bash
# Configures and builds one build tree.
#   scripts/build.sh [DIR] [extra cmake arguments...]   (DIR defaults to build)
# QUILLON_BUILD_TARGETS, when set, names the targets to build (default: all).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-build}
shift || true
"$root/scripts/deps.sh"
cmake -S "$root" -B "$root/$dir" -G Ninja "$@" >/dev/null
if [ -n "${QUILLON_BUILD_TARGETS:-}" ]; then
  # shellcheck disable=SC2086
  cmake --build "$root/$dir" --target $QUILLON_BUILD_TARGETS
else
  cmake --build "$root/$dir"
fi
