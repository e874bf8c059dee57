#!/usr/bin/env bash
# The benchmarks: every *_bench program of the build, one after the other,
# each printing its figures. They never fail on time; a program that cannot
# run fails the script.
# Usage: scripts/run-bench.sh [BUILD_FOLDER] [BENCHMARK_FILTER]
#        (default: build, relative to the project root; the filter is a
#        regular expression for --benchmark_filter)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
filter=${2:-}
shopt -s nullglob
benches=("$build"/bin/*_bench)
if [ ${#benches[@]} -eq 0 ]; then
  echo "run-bench.sh: no benchmarks in $build/bin (configure with SS_BENCH=ON and build)" >&2
  exit 1
fi
for bench in "${benches[@]}"; do
  echo "== $(basename "$bench")"
  if [ -n "$filter" ]; then
    "$bench" --benchmark_filter="$filter"
  else
    "$bench"
  fi
done
