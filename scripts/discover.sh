#!/usr/bin/env bash
# Builds quillon and runs a discovery: of the built-in example lab, or of the
# lab files and options given. Builds only the program and the plug-in, in
# the shared build tree, and leaves that tree's options as they are.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
QUILLON_BUILD_TARGETS="quillon AgentQuillon" "$root/scripts/build.sh" build >&2
exec "$root/build/bin/quillon" discover "$@"
