#!/usr/bin/env bash
# Runs quillon under valgrind over the built-in example lab, every
# well-formed lab in tests/data/labs/ and the hostile-output end-to-end
# tests, live discovery over telnet and SSH, and fails on any memory error or on
# memory definitely or indirectly lost.
#   scripts/valgrind.sh BUILD_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:?usage: scripts/valgrind.sh BUILD_DIR}
quillon="$build/bin/quillon"
[ -x "$quillon" ] || { echo "valgrind.sh: $quillon not built" >&2; exit 1; }
command -v valgrind >/dev/null || { echo "valgrind.sh: valgrind is not installed" >&2; exit 1; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
checks=0

# check NAME ARGS...: one quillon run under valgrind.
check() {
  local name=$1
  shift
  local log="$scratch/valgrind.log"
  checks=$((checks + 1))
  if valgrind --error-exitcode=1 --leak-check=full --errors-for-leak-kinds=definite,indirect \
       --suppressions="$root/scripts/valgrind.supp" --log-file="$log" \
       "$quillon" "$@" >"$scratch/stdout" 2>"$scratch/stderr"; then
    echo "valgrind clean: $name"
  else
    echo "valgrind FAILED: $name (quillon $*)" >&2
    cat "$log" >&2
    failures=$((failures + 1))
  fi
}

check "example lab" discover --format json
check "example lab, trace level 4" discover --format json --debug 4 --out "$scratch/report.json"

shopt -s nullglob
for lab in "$root"/tests/data/labs/*.json; do
  # A lab that quillon refuses is a test of the refusal, not of the agent.
  if ! "$quillon" discover --format json --out "$scratch/probe.json" "$lab" >/dev/null 2>&1; then
    echo "skipped (malformed): ${lab#"$root"/}"
    continue
  fi
  check "${lab#"$root"/}" discover --format json "$lab"
  check "${lab#"$root"/}, IOS-XE plug-in" discover --profile xe --format json "$lab"
done

# Live discovery of the example lab, served on 127.0.0.1 (the server itself
# runs normally) over telnet and over SSH, with routers side by side.
# live WAY PORT [SERVE OPTIONS...]
live() {
  local way=$1 port=$2
  shift 2
  "$quillon" serve --port "$port" --inventory-out "$scratch/$way.yml" "$@" \
    >"$scratch/serve.out" 2>&1 &
  local serve=$!
  for _ in $(seq 1 120); do
    grep -q '; ready$' "$scratch/serve.out" 2>/dev/null && break
    sleep 0.5
  done
  if grep -q '; ready$' "$scratch/serve.out"; then
    check "live example lab over $way and SNMP" discover --format json --debug 4 --jobs 4 \
      --inventory "$scratch/$way.yml" --out "$scratch/$way.json"
  else
    echo "valgrind FAILED: quillon serve did not start ($way)" >&2
    cat "$scratch/serve.out" >&2
    failures=$((failures + 1))
  fi
  kill "$serve" 2>/dev/null || true
  wait "$serve" 2>/dev/null || true
}
port=$((20000 + $$ % 20000))
live telnet "$port"
live SSH "$((port + 100))" --ssh

# The hostile-output end-to-end tests, with every quillon run under valgrind.
if [ -x "$build/bin/e2e_tests" ]; then
  export QUILLON_E2E_WRAPPER="valgrind --error-exitcode=99 --leak-check=full \
--errors-for-leak-kinds=definite,indirect --suppressions=$root/scripts/valgrind.supp"
  if "$build/bin/e2e_tests" --gtest_filter='*Hostile*' --gtest_brief=1 >"$scratch/hostile.log" 2>&1; then
    echo "valgrind clean: hostile-output end-to-end tests"
  else
    echo "valgrind FAILED: hostile-output end-to-end tests" >&2
    cat "$scratch/hostile.log" >&2
    failures=$((failures + 1))
  fi
  unset QUILLON_E2E_WRAPPER
fi

if [ "$checks" -eq 0 ]; then
  echo "valgrind.sh: no run was checked" >&2
  exit 1
fi
if [ "$failures" -ne 0 ]; then
  echo "valgrind.sh: $failures run(s) failed" >&2
  exit 1
fi
