#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite twice: as it
# ships, and built with AddressSanitizer and UndefinedBehaviorSanitizer (leak
# detection on); then runs every fuzz target for a short while when clang is
# there. Each build keeps its own folder, so later runs are incremental.
# Arguments go to both ctest runs. TUVO_FUZZ_SECONDS sets the fuzzing time per
# target (0 skips it).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"

"$root/scripts/build.sh"
build="${TUVO_BUILD_DIR:-$root/build}"
(cd "$build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 "$@")

asan="${TUVO_ASAN_BUILD_DIR:-$root/build-asan}"
if [[ ! -f "$asan/build.ninja" ]]; then
  cmake -S "$root" -B "$asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS="-O1 -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
fi
cmake --build "$asan"
(cd "$asan" && ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 "$@")

seconds="${TUVO_FUZZ_SECONDS:-20}"
if ((seconds > 0)); then
  "$root/scripts/fuzz.sh" "$seconds"
fi
