#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the programs need, when any is missing.
# Uses sudo when not run as root. Safe to run again: it does nothing when all are present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libfltk1.3-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri libx11-dev
  libsdl2-dev libopenal-dev libespeak-ng-dev espeak-ng-data
  xvfb xauth x11-utils x11-apps imagemagick xdotool
  gpsd gpsd-clients
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
if ! $sudo apt-get install -y --no-install-recommends "${missing[@]}"; then
  $sudo apt-get update
  $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
