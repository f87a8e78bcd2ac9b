#!/usr/bin/env bash
# Runs each fuzz target (clang's libFuzzer with AddressSanitizer and
# UndefinedBehaviorSanitizer, built in the sanitizer build, build-san/) for a
# while, starting from its seeds.
# Usage: scripts/fuzz.sh [seconds per target, default 20] [target...]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-20}"
shift || true
if ! command -v clang++ >/dev/null; then
  echo "clang++ is not installed: the fuzz targets ran only over their seeds."
  exit 0
fi
build="${TUVO_SAN_BUILD_DIR:-$root/build-san}"
"$root/scripts/build-san.sh"
targets=("$@")
if ((${#targets[@]} == 0)); then
  for seeds in "$root"/fuzz/seeds/*/; do targets+=("$(basename "$seeds")"); done
fi
mkdir -p "$build/artifacts"
for t in "${targets[@]}"; do
  corpus="$build/corpus/$t"
  log="$build/artifacts/$t.log"
  mkdir -p "$corpus"
  echo "== $t: ${seconds}s"
  set +e
  QT_QPA_PLATFORM=offscreen "$build/fuzz/$t" -max_total_time="$seconds" -print_final_stats=1 \
    -rss_limit_mb=4096 -artifact_prefix="$build/artifacts/$t-" "$corpus" "$root/fuzz/seeds/$t" >"$log" 2>&1
  status=$?
  set -e
  grep -E "^(stat::number_of_executed_units|stat::peak_rss_mb|Done )" "$log" || true
  if ((status != 0)); then
    tail -n 60 "$log"
    echo "$t failed; the input is in $build/artifacts/"
    exit 1
  fi
done
