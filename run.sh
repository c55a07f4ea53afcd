#!/usr/bin/env bash
# Installs what is missing, builds, and starts the simulator: in a window when a display is
# available, otherwise the headless simulator loop. `./run.sh airwright [FILE.acf]` starts the
# aircraft editor instead (its batch modes, such as `./run.sh airwright --check FILE.acf`, need
# no display).
set -euo pipefail
cd "$(dirname "$0")"
editor=0
if [ "${1:-}" = "airwright" ]; then
  editor=1
  shift
fi
scripts/install-deps.sh
# The configure output is kept quiet when all goes well, and shown whole when it fails; it also
# tells, when the desktop program is missing, why it was left out.
mkdir -p build
configure_log=build/configure.log
if ! cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > "$configure_log" 2>&1; then
  cat "$configure_log" >&2
  echo "Configuring the build failed (the output above says why)." >&2
  exit 1
fi
cmake --build build
if [ "$editor" = 1 ]; then
  case "${1:-}" in
    --check|--resave|--help) exec build/bin/Airwright "$@" ;;
  esac
  if [ -z "${DISPLAY:-}" ]; then
    echo "Airwright needs a display; without one it offers only its batch modes:" >&2
    build/bin/Airwright --help >&2
    exit 1
  fi
  exec build/bin/Airwright "$@"
fi
if [ -n "${DISPLAY:-}" ]; then
  if [ -x build/bin/Kestrix ]; then
    exec build/bin/Kestrix "$@"
  fi
  missing=$(sed -n 's/^-- Desktop back end left out, not found: //p' "$configure_log" | head -n 1)
  if [ -n "$missing" ]; then
    echo "The desktop program was not built because the build could not find ${missing}" \
         "(scripts/install-deps.sh lists the development packages it needs)."
  else
    echo "The desktop program was not built because the build did not make build/bin/Kestrix" \
         "(see $configure_log)."
  fi
  echo "Running the headless simulator instead."
else
  echo "No display available: running the headless simulator instead."
fi
# From its own folder, so that the logs it writes ("Error.out", "Kestrix.out") stay in the build.
cd build/bin
exec ./kestrix-headless "$@"
