#!/usr/bin/env bash
# Builds the fuzz targets (clang, in build-fuzz) and runs each one: first over
# every input kept in fuzz/regressions/<target>/, then fuzzing for a bounded
# time from a copy of its seed corpus (fuzz/corpus/<target>/). Fails on any
# crash, leak, time-out, memory blow-up or broken property; the input that
# did it is saved to fuzz/regressions/<target>/ to be kept as a regression
# test.
#   scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]
# SECONDS_PER_TARGET defaults to 30; without TARGETs every target runs.
# QUILLON_FUZZ_JOBS targets run side by side (default: the number of CPUs).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
shift || true
jobs=${QUILLON_FUZZ_JOBS:-$(nproc)}
build="$root/build-fuzz"

case "$seconds" in
  '' | *[!0-9]*) echo "fuzz.sh: SECONDS_PER_TARGET must be a number, not '$seconds'" >&2; exit 2 ;;
esac
command -v clang++ >/dev/null || { echo "fuzz.sh: clang++ is not installed" >&2; exit 1; }

"$root/scripts/deps.sh"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DQUILLON_FUZZ=ON \
  -DQUILLON_TESTS=OFF -DQUILLON_BENCHMARKS=OFF >/dev/null
cmake --build "$build" --target quillon_fuzzers -- -j "$jobs"

if [ $# -gt 0 ]; then
  targets=("$@")
else
  targets=()
  for bin in "$build"/bin/fuzz_*; do
    targets+=("${bin##*/fuzz_}")
  done
fi

if [ ${#targets[@]} -eq 0 ]; then
  echo "fuzz.sh: no fuzz target was built" >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Leaks are checked after every input; a smaller quarantine than the default
# keeps the targets that compile many patterns fast enough to get anywhere.
export ASAN_OPTIONS=detect_leaks=1:quarantine_size_mb=64:max_malloc_fill_size=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# run TARGET: writes "ok RUNS" or "failed" to $work/TARGET/status.
run() {
  local target=$1
  local bin="$build/bin/fuzz_$target"
  local dir="$work/$target"
  mkdir -p "$dir/corpus" "$dir/artifacts"
  if [ ! -x "$bin" ]; then
    echo "no fuzz target named $target" >"$dir/log"
    echo failed >"$dir/status"
    return
  fi
  local kept=("$root/fuzz/regressions/$target"/*)
  if [ -e "${kept[0]}" ] && ! "$bin" -timeout=10 -rss_limit_mb=2048 "${kept[@]}" >"$dir/log" 2>&1; then
    echo "a kept regression input fails again" >>"$dir/log"
    echo failed >"$dir/status"
    return
  fi
  cp "$root/fuzz/corpus/$target"/* "$dir/corpus/" 2>/dev/null || true
  if "$bin" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="$dir/artifacts/" "$dir/corpus" >>"$dir/log" 2>&1; then
    echo "ok $(sed -n 's/^stat::number_of_executed_units: *//p' "$dir/log")" >"$dir/status"
    return
  fi
  echo failed >"$dir/status"
  # Keep what failed, named by kind and content.
  local kept_dir="$root/fuzz/regressions/$target"
  for artifact in "$dir/artifacts"/*; do
    [ -e "$artifact" ] || continue
    mkdir -p "$kept_dir"
    local kind=${artifact##*/}
    kind=${kind%%-*}
    cp "$artifact" "$kept_dir/$kind-$(sha1sum "$artifact" | cut -c1-16)"
  done
}

for target in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do
    wait -n || true
  done
  run "$target" &
done
wait

failures=0
for target in "${targets[@]}"; do
  status=$(cat "$work/$target/status" 2>/dev/null || echo failed)
  if [ "${status%% *}" = ok ]; then
    echo "fuzz $target: clean, ${status#ok } inputs in ${seconds}s"
  else
    echo "fuzz $target: FAILED" >&2
    tail -n 60 "$work/$target/log" >&2 || true
    failures=$((failures + 1))
  fi
done
if [ "$failures" -ne 0 ]; then
  echo "fuzz.sh: $failures target(s) failed; failing inputs are in fuzz/regressions/" >&2
  exit 1
fi
