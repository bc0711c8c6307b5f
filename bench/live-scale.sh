#!/usr/bin/env bash
# Whole live runs at scale, on loopback only: a network of N routers from
# quillon-labgen, served by quillon serve with LATENCY ms before each
# command's answer (telnet and SNMP on 127.0.0.1 and the network's own
# 127.16.0.0/12 addresses), discovered through the served inventory once per
# --jobs value. Prints, per run: wall time, peak resident memory, and how
# many routers the report holds whole (accepted, no transport failure); then
# whether every run's report is the same.
#
#   bench/live-scale.sh [N [LATENCY [JOBS...]]]     defaults: 1000 20 1 10 100
#   QUILLON_BENCH_PORT  first port (default 21000; N ports from there)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
routers=${1:-1000}
latency=${2:-20}
shift $(( $# < 2 ? $# : 2 ))
jobs=("$@")
[ ${#jobs[@]} -eq 0 ] && jobs=(1 10 100)
port=${QUILLON_BENCH_PORT:-21000}

QUILLON_BUILD_TARGETS="quillon AgentQuillon quillon-labgen" "$root/scripts/build.sh" build >&2
bin=$root/build/bin
work=$(mktemp -d)
serve=
cleanup() {
  if [ -n "$serve" ]; then kill -INT "$serve" 2>/dev/null || true; wait "$serve" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

"$bin/quillon-labgen" --network "$routers" >"$work/network.json"
"$bin/quillon" serve --port "$port" --latency "$latency" --inventory-out "$work/inventory.yml" \
  "$work/network.json" >"$work/serve.out" 2>"$work/serve.err" &
serve=$!
for _ in $(seq 1 600); do
  grep -q ready "$work/serve.out" && break
  kill -0 "$serve" 2>/dev/null || { cat "$work/serve.err" >&2; exit 1; }
  sleep 0.5
done
grep -q ready "$work/serve.out" || { echo "quillon serve did not get ready" >&2; exit 1; }

whole() {
  python3 - "$1" <<'PY'
import json, sys
entities = json.load(open(sys.argv[1]))["entities"]
print(sum(1 for e in entities if e["accepted"] and not e.get("transport", {}).get("failures")))
PY
}

echo "routers=$routers latency=${latency}ms"
printf '%-8s %10s %12s %8s\n' jobs "wall (s)" "peak (MB)" whole
for j in "${jobs[@]}"; do
  report=$work/report-$j.json
  /usr/bin/time -f '%e %M' -o "$work/time-$j" "$bin/quillon" discover --jobs "$j" \
    --inventory "$work/inventory.yml" --format json --out "$report" 2>"$work/discover-$j.err" || true
  read -r wall peak <"$work/time-$j"
  printf '%-8s %10s %12s %8s\n' "$j" "$wall" "$((peak / 1024))" "$(whole "$report")"
done
first=$work/report-${jobs[0]}.json
for j in "${jobs[@]}"; do
  cmp -s "$first" "$work/report-$j.json" || { echo "reports differ: --jobs ${jobs[0]} and $j"; exit 1; }
done
echo "reports identical"
