#!/usr/bin/env bash
# Builds the Debian package (the program, zelk-tuvo-sim, zelk-tuvo-cli, the
# desktop entry and icon, the man pages) with CPack into dist/:
#   dist/zelk-tuvo_<version>_amd64.deb, installed with
#   sudo apt-get install ./dist/zelk-tuvo_<version>_amd64.deb
# A release build of the programs only, in its own folder (build-package/).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
build="${TUVO_PACKAGE_BUILD_DIR:-$root/build-package}"
if [[ ! -f "$build/build.ninja" ]]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTUVO_TESTS=OFF
fi
cmake --build "$build"
rm -f "$build"/zelk-tuvo_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
mkdir -p "$root/dist"
deb="$(ls "$build"/zelk-tuvo_*.deb)"
cp "$deb" "$root/dist/"
echo "$root/dist/$(basename "$deb")"
