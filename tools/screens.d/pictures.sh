#!/usr/bin/env bash
# The main window with the picture pane beside the list (a snapshot, then a
# flyer) and the list's icons, over the installed demo catalogue and the
# demo pictures in C:\MAME; shot by picture_screens.exe as PNG files.
set -euo pipefail
: "${BUILD_DIR:?}" "${SCREENS_DIR:?}" "${QUILLET_HOME:?}" "${QUILLET_EMU_HOME:?}"
tool="$WIN_BUILD/tools/picture_screens.exe"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
wine "$tool" "$(winepath -w "$QUILLET_HOME/languages/english.dll")" "$(winepath -w "$work")" \
  "$(winepath -w "$QUILLET_HOME")" "$(winepath -w "$QUILLET_EMU_HOME")\\" </dev/null
for shot in pictures-snapshot pictures-flyer; do
  convert "$work/$shot.bmp" -strip "$SCREENS_DIR/$shot.png"
  echo "  $SCREENS_DIR/$shot.png"
done
