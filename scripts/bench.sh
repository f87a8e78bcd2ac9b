#!/usr/bin/env bash
# Builds and runs every benchmark and prints one table: min, median and max of
# each figure. The start-up benchmark runs five times under xvfb-run when it is
# installed (offscreen otherwise).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/build.sh" >/dev/null
bench="${TUVO_BUILD_DIR:-$root/build}/bench"
rows="$(mktemp)"
trap 'rm -f "$rows"' EXIT

QT_QPA_PLATFORM=offscreen "$bench/bench_image" >>"$rows" 2>/dev/null
QT_QPA_PLATFORM=offscreen "$bench/bench_goods" >>"$rows" 2>/dev/null
"$bench/bench_link" >>"$rows" 2>/dev/null
# The cache dump at 115200 alone takes over three minutes: TUVO_BENCH_FULL=1 adds it.
if [[ "${TUVO_BENCH_FULL:-0}" == 1 ]]; then
  "$bench/bench_copy" >>"$rows" 2>/dev/null
else
  "$bench/bench_copy" --quick >>"$rows" 2>/dev/null
fi
"$bench/bench_cli" >>"$rows" 2>/dev/null
QT_QPA_PLATFORM=offscreen "$bench/bench_history" >>"$rows" 2>/dev/null
startup="$(mktemp)"
for _ in 1 2 3 4 5; do
  if command -v xvfb-run >/dev/null; then
    xvfb-run -a "$bench/bench_startup" >>"$startup" 2>/dev/null
    xvfb-run -a "$bench/bench_startup" --minimal >>"$startup" 2>/dev/null
  else
    QT_QPA_PLATFORM=offscreen "$bench/bench_startup" >>"$startup" 2>/dev/null
    QT_QPA_PLATFORM=offscreen "$bench/bench_startup" --minimal >>"$startup" 2>/dev/null
  fi
done
# Five runs of one figure each become one row: sorted by figure and value, the
# first of a group is its min, the middle its median, the last its max.
sort -t$'\t' -k1,1 -k2,2n "$startup" | awk -F'\t' '
  function flush() { if (n) printf "%s\t%s\t%s\t%s\t%s\n", key, v[1], v[int((n + 1) / 2)], v[n], note }
  $1 != key { flush(); key = $1; n = 0 }
  { v[++n] = $2; note = $5 }
  END { flush() }' >>"$rows"
rm -f "$startup"

printf '%-62s %10s %10s %10s  %s\n' "figure" "min" "median" "max" "unit / note"
awk -F'\t' '{ printf "%-62s %10s %10s %10s  %s\n", $1, $2, $3, $4, $5 }' "$rows"
