#!/usr/bin/env bash
# Installs what is missing and builds the program. (Starting it with the simulated
# register attached comes with the program's main window.)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh" --run
"$root/scripts/build.sh"
