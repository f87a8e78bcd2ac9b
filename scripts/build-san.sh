#!/usr/bin/env bash
# Configures (once) and builds the sanitizer build into build-san/: clang with
# AddressSanitizer, UndefinedBehaviorSanitizer and libFuzzer's coverage, so the
# sanitizer suite and the fuzzers (TUVO_LIBFUZZER) share one set of objects.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
san="${TUVO_SAN_BUILD_DIR:-$root/build-san}"
if [[ ! -f "$san/build.ninja" ]]; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$san" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTUVO_LIBFUZZER=ON \
    -DCMAKE_CXX_FLAGS="-O1 -g -fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
fi
cmake --build "$san"
