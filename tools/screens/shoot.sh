#!/usr/bin/env bash
# Runs one screenshot program and keeps its pictures:
#   shoot.sh SUBSYSTEM INPUT
# starts $WIN_BUILD/tools/screens/shoot_SUBSYSTEM.exe LANGUAGE_DLL OUTPUT INPUT
# (INPUT a host path, handed over as a Windows one) with the build's module
# of SCREENSHOT_LANGUAGE (english by default), and turns every BMP it writes
# into $SCREENS_DIR/<same name>.png.
set -euo pipefail
: "${WIN_BUILD:?}" "${SCREENS_DIR:?}"
subsystem=$1
input=$2
exe="$WIN_BUILD/tools/screens/shoot_$subsystem.exe"
[ -e "$exe" ] || { echo "shoot_$subsystem.exe is not built (make win)"; exit 1; }
language="${SCREENSHOT_LANGUAGE:-english}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
wine "$exe" "$(winepath -w "$WIN_BUILD/languages/$language.dll")" "$(winepath -w "$work")" \
  "$(winepath -w "$input")" </dev/null
for bmp in "$work"/*.bmp; do
  # -strip: no time stamps, so an unchanged window gives an unchanged file.
  convert "$bmp" -strip "$SCREENS_DIR/$(basename "$bmp" .bmp).png"
done
echo "  $(ls "$work"/*.bmp | wc -l) pictures"
