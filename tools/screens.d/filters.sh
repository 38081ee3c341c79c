#!/usr/bin/env bash
# The filter sheet at each of its nine pages over the demo catalogue:
# filter-<page>.png.
set -euo pipefail
: "${WIN_BUILD:?}"
exec "$(dirname "$0")/../screens/shoot.sh" filters "$WIN_BUILD/gamelist.mdb"
