#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer (and AddressSanitizer and
# UndefinedBehaviorSanitizer) into build-fuzz/ and runs each for a while, starting
# from its seeds. Usage: scripts/fuzz.sh [seconds per target, default 20] [target...]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-20}"
shift || true
if ! command -v clang++ >/dev/null; then
  echo "clang++ is not installed: the fuzz targets ran only over their seeds."
  exit 0
fi
build="${TUVO_FUZZ_BUILD_DIR:-$root/build-fuzz}"
if [[ ! -f "$build/build.ninja" ]]; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTUVO_LIBFUZZER=ON \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"
fi
cmake --build "$build" --target fuzzers
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
