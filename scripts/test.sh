#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite twice: as it
# ships (gcc, build/), and built with clang's AddressSanitizer and
# UndefinedBehaviorSanitizer (leak detection on) in build-san/, where the fuzz
# targets are built too, sharing its objects; then runs every fuzz target for a
# short while. Each build keeps its own folder, so later runs are incremental.
#
#   scripts/test.sh            everything CI runs
#   scripts/test.sh --quick    the plain build and suite only, for everyday work
#
# Other arguments go to the ctest runs. TUVO_FUZZ_SECONDS sets the fuzzing time
# per target (0 skips it).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
quick=0
args=()
for a in "$@"; do
  if [[ "$a" == "--quick" ]]; then quick=1; else args+=("$a"); fi
done
started=$SECONDS
"$root/scripts/install-deps.sh"

"$root/scripts/build.sh"
build="${TUVO_BUILD_DIR:-$root/build}"
(cd "$build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 ${args[@]+"${args[@]}"})
if ((quick)); then
  echo "== quick run done in $((SECONDS - started)) s"
  exit 0
fi

san="${TUVO_SAN_BUILD_DIR:-$root/build-san}"
"$root/scripts/build-san.sh"
(cd "$san" && ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 ${args[@]+"${args[@]}"})

seconds="${TUVO_FUZZ_SECONDS:-20}"
if ((seconds > 0)); then
  "$root/scripts/fuzz.sh" "$seconds"
fi
echo "== full run done in $((SECONDS - started)) s"
