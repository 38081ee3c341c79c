#!/usr/bin/env bash
# The filter sheet at each of its nine pages over the demo catalogue:
# docs/screens/filter-<page>.png, shot by the build's filter_screens.exe.
set -euo pipefail
: "${BUILD_DIR:?}" "${SCREENS_DIR:?}"
exe="$WIN_BUILD/filters/filter_screens.exe"
[ -e "$exe" ] || { echo "filter_screens.exe is not built (make win)"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
wine "$exe" "$(winepath -w "$WIN_BUILD")" "$(winepath -w "$work")" </dev/null
for bmp in "$work"/filter-*.bmp; do
  # -strip: no time stamps, so an unchanged page gives an unchanged file.
  convert "$bmp" -strip "$SCREENS_DIR/$(basename "$bmp" .bmp).png"
done
echo "  $(ls "$work"/filter-*.bmp | wc -l) filter pages"
