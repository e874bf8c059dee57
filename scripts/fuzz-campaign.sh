#!/usr/bin/env bash
# The long fuzz campaign: runs the targets in turn, CHUNK seconds each
# (default 600), until each has GOAL executions (default 10,000,000) in the
# ledger tests/fuzz/ledger.tsv (kept in the repository: commit it), one line
# a run: time, target, executions, edges, seconds, exit code. A later
# campaign goes on from the ledger, so it can be stopped at any time. Runs
# at the lowest priority, through scripts/fuzz.sh (the same options, corpora
# and findings).
#   scripts/fuzz-campaign.sh [TARGET...]     (default: every target)
#   scripts/fuzz-campaign.sh --report        what the ledger holds, a line a target
set -uo pipefail
# The whole script is read before it runs (main at the end), so editing it
# while a campaign runs cannot break the campaign.
main() {
cd "$(dirname "$0")/.."
if [ "${1:-}" = --help ] || [ "${1:-}" = -h ]; then
  sed -n '2,9p' "$0" | sed 's/^# \{0,1\}//'
  exit 0
fi
goal=${GOAL:-10000000}
ledger=tests/fuzz/ledger.tsv
if [ "${1:-}" = --report ]; then
  [ -f "$ledger" ] || { echo "no ledger yet: $ledger" >&2; exit 1; }
  # Executions and hours add up; the edges are the last run's; a finding is a
  # run that failed. "to goal" is the hours of one core left at the best rate
  # of its last three runs: a harness or schedule change moves a rate
  # severalfold, and a run spent mostly loading a slow corpus understates it.
  printf "%-20s %12s %8s %8s %8s %8s %s\n" target executions edges hours "exec/s" "to goal" "failed runs"
  awk -F'\t' -v goal="$goal" '/^#/ { next } { runs[$2] += $3; edges[$2] = $4; secs[$2] += $5; if ($5 > 0) { r3[$2] = r2[$2]; r2[$2] = r1[$2]; r1[$2] = $3 / $5 } if ($6 != 0) bad[$2]++ }
    END { for (t in runs) {
            best = r1[t]; if (r2[t] > best) best = r2[t]; if (r3[t] > best) best = r3[t]
            rate = secs[t] > 0 ? runs[t] / secs[t] : 0
            left = runs[t] >= goal ? 0 : best > 0 ? (goal - runs[t]) / best / 3600 : -1
            printf "%-20s %12d %8d %8.1f %8d %8.1f %d\n", t, runs[t], edges[t], secs[t] / 3600, rate, left, bad[t] } }' \
    "$ledger" | sort -k2 -n -r
  exit 0
fi
chunk=${CHUNK:-600}
mkdir -p build-fuzz
# The same lock as scripts/fuzz.sh: two campaigns may start together.
flock build-fuzz/.build-lock cmake --preset fuzz >/dev/null || exit 1
mapfile -t targets < <(if [ $# -gt 0 ]; then printf '%s\n' "$@"; else
  cmake --build build-fuzz --target help | grep -oP '^\S+(?=_fuzzer:)' | sort
fi)
mkdir -p build-fuzz/findings
touch "$ledger"
banked() { awk -F'\t' -v t="$1" '$2 == t { s += $3 } END { print s + 0 }' "$ledger"; }

while true; do
  pending=0
  for t in "${targets[@]}"; do
    [ "$(banked "$t")" -ge "$goal" ] && continue
    pending=1
    start=$(date +%s)
    line=$(FUZZ_SECONDS=$chunk nice -n 19 scripts/fuzz.sh "$t" | awk -v t="$t" '$1 == t')
    rc=${PIPESTATUS[0]}
    read -r _ runs edges _ <<<"$line"
    [[ $runs =~ ^[0-9]+$ ]] || runs=0
    [[ $edges =~ ^[0-9]+$ ]] || edges=0
    printf '%s\t%s\t%s\t%s\t%s\t%s\n' "$(date -u +%FT%T)" "$t" "$runs" "$edges" \
      $(($(date +%s) - start)) "$rc" >>"$ledger"
    if [ "$rc" -ne 0 ]; then
      cp "build-fuzz/findings/$t.log" "build-fuzz/findings/$t.failed-$(date +%s).log"
      echo "$t: a finding, see build-fuzz/findings/" >&2
    fi
  done
  [ "$pending" -eq 0 ] && break
done
echo "every target has $goal executions in $ledger"
}
main "$@"
