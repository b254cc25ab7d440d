#!/usr/bin/env bash
# Builds and runs the benchmarks: the micro-benchmarks of the hot paths, then
# the start-up benchmark of orvelbrowser against the bare engine. Prints
# figures; sets no pass mark. Extra arguments go to the start-up benchmark
# (for example --runs 15).
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev --target orvel-bench-micro orvel-bench-startup orvel-bare-engine orvelbrowser

build=build/dev
echo "== micro-benchmarks"
"$build/bench/orvel-bench-micro"
echo
echo "== start-up: launch to onload and memory, against the bare engine"
"$build/bench/orvel-bench-startup" "$@" \
  "bare-engine=$build/bench/orvel-bare-engine {url}" \
  "orvelbrowser=$build/app/orvelbrowser 0||{url}|Bench|{url}"
