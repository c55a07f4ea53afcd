#!/usr/bin/env bash
# Installs what is missing, builds, and starts the simulator: in a window when a display is
# available, otherwise the headless simulator loop.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build
if [ -n "${DISPLAY:-}" ] && [ -x build/bin/Kestrix ]; then
  exec build/bin/Kestrix "$@"
fi
echo "No display available: running the headless simulator instead."
# From its own folder, so that the logs it writes ("Error.out", "Kestrix.out") stay in the build.
cd build/bin
exec ./kestrix-headless "$@"
