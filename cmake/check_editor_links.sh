#!/bin/sh
# Fails when the editor program holds a function or global defined in one of the simulator's own
# libraries (flight, world, weather, panel, controls, the 3-D view, sound, air traffic control and
# the simulator's shell): Airwright links the shared utilities, the aircraft definition, the drawing
# and platform layers and itself, and nothing of the simulator.
# Usage: check_editor_links.sh program lib.a...
set -eu
program=$1
shift
simulator=$(mktemp)
editor=$(mktemp)
trap 'rm -f "$simulator" "$editor"' EXIT
# Only strong definitions count: inline functions and templates are weak and may be anywhere.
nm --defined-only --extern-only "$@" 2>/dev/null | awk 'NF == 3 && $2 ~ /^[TDBRG]$/ { print $3 }' |
  sort -u > "$simulator"
nm --defined-only "$program" | awk 'NF == 3 { print $3 }' | sort -u > "$editor"
found=$(comm -12 "$simulator" "$editor")
if [ -n "$found" ]; then
  echo "$program holds symbols of the simulator's libraries:" >&2
  echo "$found" | c++filt >&2
  exit 1
fi
echo "$program: $(wc -l < "$editor") symbols, none of the simulator's $(wc -l < "$simulator")"
