#!/usr/bin/env bash
# The main window with a search typed and with favourites only, the star
# and the play statistics, shot by finding_screens.exe over a copy of the
# demo catalogue, as PNG files.
set -euo pipefail
: "${BUILD_DIR:?}" "${SCREENS_DIR:?}" "${QUILLET_HOME:?}"
tool="$WIN_BUILD/tools/finding_screens.exe"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$WIN_BUILD/gamelist.mdb" "$work/gamelist.mdb"
wine "$tool" "$(winepath -w "$QUILLET_HOME/languages/english.dll")" "$(winepath -w "$work/gamelist.mdb")" \
  "$(winepath -w "$work")" </dev/null
for shot in finding-search finding-favourites; do
  convert "$work/$shot.bmp" -strip "$SCREENS_DIR/$shot.png"
  echo "  $SCREENS_DIR/$shot.png"
done
