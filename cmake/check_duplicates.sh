#!/bin/sh
# Fails when a global function or variable is defined in two of the given static libraries (or in
# two members of one). The libraries are linked as one rescanned group, and a linker takes the
# first definition it meets in an archive without a word about the second, so a copy left behind
# in another subsystem would silently win or lose depending on the link order.
# Usage: check_duplicates.sh lib.a...
set -eu
# --print-file-name prefixes each line with "archive:member:address"; only strong definitions
# count (weak ones are inline functions and templates, which every file may define).
duplicates=$(nm --defined-only --extern-only --print-file-name "$@" | awk '
  NF == 3 && $2 ~ /^[TDBRG]$/ {
    where = $1; sub(/:[^:]*$/, "", where)
    if (!($3 in first)) first[$3] = where
    else if (first[$3] != where) printf "%s in %s and %s\n", $3, first[$3], where
  }')
if [ -n "$duplicates" ]; then
  echo "Defined twice (keep one definition):" >&2
  echo "$duplicates" | c++filt >&2
  exit 1
fi
