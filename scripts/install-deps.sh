#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the demo need (clang
# for the fuzzers); only what is missing, so a second run costs nothing.
set -euo pipefail
packages=(
  g++ cmake ninja-build pkg-config dpkg-dev
  qt6-base-dev qt6-translations-l10n libgl-dev
  qt6-charts-dev libqt6opengl6-dev libqt6sql6-sqlite libqt6sql6-psql postgresql-15
  fonts-liberation2
  clang libclang-rt-14-dev
  poppler-utils zbar-tools
)
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if ((${#missing[@]} == 0)); then
  exit 0
fi
echo "Installing: ${missing[*]}"
sudo=""
if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
