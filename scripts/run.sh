#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program with a simulated register
# attached as COM 1 (a private ports folder; nothing else is touched). Closing the
# program stops the simulator. The program works in ~/ZelkTuvo (its settings file
# ustaw.cfg and, by default, the databases you save).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
build="${TUVO_BUILD_DIR:-$root/build}"

ports="$(mktemp -d "${TMPDIR:-/tmp}/zelk-tuvo-ports.XXXXXX")"
"$build/sim/zelk-tuvo-sim" --ports-dir "$ports" --port 1 --demo </dev/null &
sim=$!
trap 'kill "$sim" 2>/dev/null || true; wait "$sim" 2>/dev/null || true; rm -rf "$ports"' EXIT
for _ in $(seq 50); do
  [[ -e "$ports/COM1" ]] && break
  sleep 0.1
done

work="${TUVO_WORK_DIR:-$HOME/ZelkTuvo}"
mkdir -p "$work"
cd "$work"
TUVO_PORTS_DIR="$ports" "$build/src/zelk-tuvo" "$@"
