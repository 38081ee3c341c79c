#!/usr/bin/env bash
# The main window with a search typed and with favourites only, the star
# and the play statistics, over a copy of the build's demo catalogue:
# finding-search.png, finding-favourites.png.
set -euo pipefail
: "${WIN_BUILD:?}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$WIN_BUILD/gamelist.mdb" "$work/gamelist.mdb"
"$(dirname "$0")/../screens/shoot.sh" finding "$work/gamelist.mdb"
