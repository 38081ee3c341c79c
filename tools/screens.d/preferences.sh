#!/usr/bin/env bash
# The first-start wizard's three pages, the preferences page, a history entry
# and the about box, shot by prefs_screens.exe in the installed prefix (its
# language modules and the demo history.dat in C:\MAME), as PNG files.
set -euo pipefail
: "${BUILD_DIR:?}" "${SCREENS_DIR:?}" "${QUILLET_HOME:?}" "${QUILLET_EMU_HOME:?}"
tool="$WIN_BUILD/preferences/prefs_screens.exe"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
wine "$tool" "$(winepath -w "$QUILLET_HOME/languages/english.dll")" "$(winepath -w "$work")" \
  "$(winepath -w "$QUILLET_EMU_HOME")\\" </dev/null
for shot in wizard-welcome wizard-emulator wizard-finish preferences history about; do
  convert "$work/$shot.bmp" -strip "$SCREENS_DIR/$shot.png"
  echo "  $SCREENS_DIR/$shot.png"
done
