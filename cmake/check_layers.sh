#!/bin/sh
# Fails when a library calls a function of a library above it in the layer order of
# docs/design.md. Reading another layer's records is allowed; calling up is not: a lower layer
# calls up only through the hooks the application fills. Not counted: the platform seam
# (MACIBM_ functions and the macibm_ helpers of app/macibm.h, which every layer may call).
# Usage: check_layers.sh rank:library.a... [rank=PREFIX...] (rank 0 is the lowest layer; equal
# ranks may call each other; rank=PREFIX places the functions named PREFIX... in a layer of their
# own, such as the drawing layer inside the view's library)
set -eu
symbols=$(mktemp)
trap 'rm -f "$symbols"' EXIT
for arg in "$@"; do
  case $arg in
    *=*) echo "#prefix ${arg%%=*} ${arg#*=}"; continue ;;
  esac
  rank=${arg%%:*}
  lib=${arg#*:}
  echo "#lib $rank $lib"
  nm --defined-only --extern-only --print-file-name "$lib" | sed 's/^/#def /'
  nm --undefined-only --print-file-name "$lib" | sed 's/^/#use /'
done > "$symbols"
violations=$(awk '
  $1 == "#prefix" { prefix_rank[$3] = $2 + 0; rank_of[$3 "..."] = $2 + 0; next }
  $1 == "#lib" { lib = $3; rank_of[lib] = $2 + 0; next }
  $1 == "#def" && $3 == "T" && $4 !~ /MACIBM_|macibm_/ {
    defined_in[$4] = lib
    for (p in prefix_rank) if (index($4, p) > 0) defined_in[$4] = p "..."
    next
  }
  $1 == "#use" && $3 == "U" { use[++uses] = lib " " $2 " " $4 }
  END {
    for (k = 1; k <= uses; k++) {
      split(use[k], u, " ")
      if ((u[3] in defined_in) && rank_of[defined_in[u[3]]] > rank_of[u[1]]) {
        member = u[2]; sub(/:$/, "", member); sub(/^.*:/, "", member)
        printf "%s (%s) calls up into %s: %s\n", u[1], member, defined_in[u[3]], u[3]
      }
    }
  }' "$symbols")
if [ -n "$violations" ]; then
  echo "Calls against the layer order (go through a hook the application fills instead):" >&2
  echo "$violations" | c++filt >&2
  exit 1
fi
