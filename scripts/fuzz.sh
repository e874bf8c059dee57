#!/usr/bin/env bash
# Runs every libFuzzer target for FUZZ_SECONDS (default 60) each, on a
# working corpus in build-fuzz/corpus/NAME that starts from the seeds in
# tests/fuzz/corpus/NAME and keeps what the runs find. Fails on any crash,
# hang, leak or sanitizer report; findings are left in build-fuzz/findings/.
#   scripts/fuzz.sh [TARGET...]
set -euo pipefail
# The whole script is read before it runs (main at the end), so editing it
# while a campaign calls it cannot break a run under way.
main() {
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}
build=build-fuzz
# The targets that save and read back write through the atomic write, which
# syncs every file: on a memory file system the syncs cost nothing and a
# target runs several times as many inputs.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm

# Two campaigns side by side (one a core) configure and build the same tree:
# one at a time, or ninja's state files are rewritten under the other.
mkdir -p "$build"
exec 9>"$build/.build-lock"
flock 9
cmake --preset fuzz >/dev/null
mapfile -t targets < <(if [ $# -gt 0 ]; then printf '%s\n' "$@"; else
  cmake --build "$build" --target help | grep -oP '^\S+(?=_fuzzer:)' | sort
fi)
[ ${#targets[@]} -gt 0 ] || { echo "no fuzz targets" >&2; exit 1; }
echo "Building ${#targets[@]} fuzz targets..."
cmake --build "$build" -j "$(nproc)" --target "${targets[@]/%/_fuzzer}" | grep -E "error|FAILED" && exit 1
exec 9>&-  # closing releases the lock, and the fuzzers do not inherit it

mkdir -p "$build/findings"
failed=0
printf '%-16s %12s %8s %8s  %s\n' target runs edges corpus result
for t in "${targets[@]}"; do
  exe=$(find "$build" -maxdepth 3 -name "${t}_fuzzer" -type f | head -1)
  work="$build/corpus/$t"
  mkdir -p "$work"
  opts=()
  [ -f "tests/fuzz/dict/$t.dict" ] && opts=(-dict="tests/fuzz/dict/$t.dict")
  # Each recalc input reaches tens of thousands of features; weighing them
  # all after every run (the default schedule) took two thirds of its time.
  [ "$t" = recalc ] && opts+=(-entropic=0)
  # An array formula over whole rows (=SUM(1:12=1&...)) computes every one
  # of their 16,384 columns, as the desktop programs do: 0.4 s in a release
  # build, up to a minute with the sanitizers and coverage. A hang still
  # shows past two minutes.
  timeout=10
  [ "$t" = formula ] && timeout=120
  # Such an input is mutated into more of its kind; scheduled by their cost,
  # the slow ones are still run, just less often than the quick ones.
  [ "$t" = formula ] && opts+=(-entropic_scale_per_exec_time=1)
  # What the readers print for the user (a bad line, a missing file) goes to
  # standard output, closed here: written to the log for every input, it grew
  # to gigabytes and the writing stalled the machine for minutes.
  opts+=(-close_fd_mask=1)
  log="$build/findings/$t.log"
  if "$exe" "$work" "tests/fuzz/corpus/$t" "${opts[@]}" -max_total_time="$seconds" -timeout="$timeout" \
      -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$build/findings/$t-" >"$log" 2>&1; then
    result=ok
  else
    result="FAILED (see $log)"
    failed=1
  fi
  runs=$(grep -oP 'stat::number_of_executed_units:\s*\K\d+' "$log" | tail -1)
  edges=$(grep -oP 'cov: \K\d+' "$log" | tail -1)
  files=$(find "$work" -type f | wc -l)
  printf '%-16s %12s %8s %8s  %s\n' "$t" "${runs:-?}" "${edges:-?}" "$files" "$result"
done
exit $failed
}
main "$@"
