#!/usr/bin/env bash
# Rasterises the sea and the large lakes at the terrain grid's resolution (59 cells a degree of
# longitude, 79 a degree of latitude) over latitudes 23-51 N and longitudes 126-65 W (the 48
# contiguous states and one degree of margin) and writes the committed run-length mask
# data/watermask.rle. The build only reads that file; this script is run by hand when the mask
# is to be made again.
#
# Needs Debian 12's gmt 6.4.0 and gmt-gshhg-high 2.3.7 (about 100 MB with their dependencies):
#   apt-get install --no-install-recommends gmt gmt-gshhg-high
# and a built worldgen program (its path is the first argument, by default the one in build/).
# With those versions the output is the same byte for byte: the shorelines are GSHHG's high
# resolution; ocean and lakes (also ponds on lake islands) are water, land and islands are land;
# water bodies under 25 square kilometres are left out; a cell takes the class of its centre.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
worldgen=${1:-$here/../../build/tools/worldgen/worldgen}
cols=$(( (126 - 65) * 59 ))
rows=$(( (51 - 23) * 79 ))
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cd "$tmp"
gmt grdlandmask -R-126/-65/23/51 -I${cols}+n/${rows}+n -r -Dh -A25 -N0/1/2/1/2 -Gmask.nc
# One signed byte per cell (0 sea, 1 land, 2 lake), southern row first, west to east.
gmt grd2xyz mask.nc -ZBLc > mask.raw
"$worldgen" --encode-mask mask.raw "$cols" "$rows" -126 23 "$here/data/watermask.rle"
echo "wrote $here/data/watermask.rle"
