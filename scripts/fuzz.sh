#!/usr/bin/env bash
# Builds the fuzz targets (preset "fuzz": clang, libFuzzer, AddressSanitizer
# and UndefinedBehaviorSanitizer) and runs each in turn, one at a time, until
# 10 million executions or the given seconds, whichever comes first, in at
# most 1024 MB of memory: a target that grows beyond that is a finding too.
#   scripts/fuzz.sh [seconds] [target ...]     (default: 1800 s, every target)
# Prints per target the executions, the time, the peak memory and what was
# found. An input
# that crashes, leaks or hangs a target is copied to
# tests/fuzz/regressions/<target>/, which every test run replays; the inputs
# a run learns stay in build/fuzz/runs/<target>/corpus for the next run.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

seconds=${1:-1800}
[ $# -gt 0 ] && shift
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for dir in tests/fuzz/corpus/*/; do targets+=("$(basename "$dir")"); done
fi

flock /tmp/orvel-build.lock cmake --preset fuzz >/dev/null
flock /tmp/orvel-build.lock cmake --build --preset fuzz

found=0
printf '%-12s %12s %8s %10s %8s  %s\n' target executions seconds exec/s 'peak MB' findings
for target in "${targets[@]}"; do
  work=$root/build/fuzz/runs/$target
  mkdir -p "$work/corpus" "$work/crashes/kept"
  seeds=("$root/tests/fuzz/corpus/$target")
  [ -d "$root/tests/fuzz/regressions/$target" ] && seeds+=("$root/tests/fuzz/regressions/$target")
  start=$SECONDS
  status=0
  (cd "$work" && QT_QPA_PLATFORM=offscreen LSAN_OPTIONS="suppressions=$root/tests/fuzz/lsan.supp" nice -n 10 "$root/build/fuzz/tests/fuzz/fuzz_$target" \
    -runs=10000000 -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 -print_final_stats=1 \
    -artifact_prefix="$work/crashes/" "$work/corpus" "${seeds[@]}") >"$work/log" 2>&1 || status=$?
  elapsed=$((SECONDS - start))
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$work/log" | tail -1)
  peak=$(sed -n 's/^stat::peak_rss_mb: *//p' "$work/log" | tail -1)
  findings=none
  shopt -s nullglob
  crashes=("$work"/crashes/{crash,leak,timeout,oom}-*)
  shopt -u nullglob
  if [ $status -ne 0 ] || [ ${#crashes[@]} -gt 0 ]; then
    found=1
    mkdir -p "$root/tests/fuzz/regressions/$target"
    for input in "${crashes[@]}"; do
      cp "$input" "$root/tests/fuzz/regressions/$target/"
      mv "$input" "$work/crashes/kept/"
    done
    findings="exit $status: $(grep -m1 -E 'ERROR|check failed|runtime error' "$work/log" || true)"
    findings+=" (${#crashes[@]} input(s) kept; log: $work/log)"
  fi
  printf '%-12s %12s %8s %10s %8s  %s\n' "$target" "${runs:-?}" "$elapsed" "${rate:-?}" "${peak:-?}" "$findings"
done
exit $found
