#!/usr/bin/env bash
# The nine pages of the emulator option sheet, on a sample ini file, as
# $SCREENS_DIR/options-<page>.png. SCREENSHOT_LANGUAGE=italian shoots the
# Italian module instead (into the same names).
set -euo pipefail
SRC=$(cd "$(dirname "$0")/../.." && pwd)
shooter="$WIN_BUILD/options/shoot_option_pages.exe"
language="${SCREENSHOT_LANGUAGE:-english}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$SRC/tests/fixtures/options/every_control.ini" "$work/mame.ini"
wine "$shooter" "$(winepath -w "$WIN_BUILD/languages/$language.dll")" \
  "$(winepath -w "$work/mame.ini")" "$(winepath -w "$work")" </dev/null
for bmp in "$work"/options-*.bmp; do
  convert "$bmp" -strip "$SCREENS_DIR/$(basename "$bmp" .bmp).png"
done
cmp -s "$SRC/tests/fixtures/options/every_control.ini" "$work/mame.ini" || { echo "the sample ini changed" >&2; exit 1; }
