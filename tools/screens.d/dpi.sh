#!/usr/bin/env bash
# The main window, a filter page and an option page at 96, 144 and 192 DPI:
# docs/screens/dpi<N>-main.png, -filter.png and -options.png. They run in the
# edition's DPI prefix (tools/test-dpi.sh makes it the same way), since Wine
# takes the DPI when a session starts; the main window is a portable copy of
# the program on the demo catalogue.
set -euo pipefail
SRC=$(cd "$(dirname "$0")/../.." && pwd)
: "${BUILD_DIR:?}" "${SCREENS_DIR:?}" "${WIN_BUILD:?}"
export WINEPREFIX="$BUILD_DIR/wineprefix$QUILLET_ARCH-dpi"
quiet() { "$@" </dev/null >/dev/null 2>&1 || true; }
[ -f "$WINEPREFIX/system.reg" ] || { quiet wineboot -i; quiet wineserver -w; }
work=$(mktemp -d)
trap 'quiet wineserver -k; rm -rf "$work"' EXIT
home="$WINEPREFIX/drive_c/QuilletDpi"
rm -rf "$home" && mkdir -p "$home/languages"
cp "$WIN_BUILD/Quillet.exe" "$home/" && cp "$WIN_BUILD"/languages/*.dll "$home/languages/"
machine='HKLM\Software\Halvorn\Quillet'
for dpi in 96 144 192; do
  quiet wineserver -k
  quiet wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d $dpi /f
  quiet wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
  quiet wine reg add "$machine" /v Version /t REG_DWORD /d 0x70000 /f
  quiet wine reg add "$machine\\Languages" /v english /t REG_DWORD /d 9 /f
  quiet wine reg delete 'HKCU\Software\Halvorn\Quillet' /f
  quiet wineserver -k
  quiet wineserver -p
  quiet wine cmd /c exit
  # The main window, maximised on the screen, over a fresh demo catalogue.
  cp "$WIN_BUILD/gamelist.mdb" "$home/gamelist.mdb"
  (cd "$home" && quiet wine Quillet.exe) &
  app=$!
  window=""
  for _ in $(seq 60); do
    window=$(xdotool search --onlyvisible --name '^Quillet 0.7.1$' 2>/dev/null | head -1) && [ -n "$window" ] && break
    sleep 0.5
  done
  sleep 3
  [ -n "$window" ] && import -window "$window" "$work/main.png" && convert "$work/main.png" -strip "$SCREENS_DIR/dpi$dpi-main.png"
  quiet wine taskkill /im Quillet.exe || true
  wait $app 2>/dev/null || true
  # A filter page and an option page, shot by their own programs.
  english=$(winepath -w "$WIN_BUILD/languages/english.dll")
  quiet wine "$WIN_BUILD/tools/screens/shoot_filters.exe" "$english" "$(winepath -w "$work")" \
    "$(winepath -w "$WIN_BUILD/gamelist.mdb")"
  convert "$work/filter-year.bmp" -strip "$SCREENS_DIR/dpi$dpi-filter.png"
  cp "$SRC/tests/fixtures/options/every_control.ini" "$work/mame.ini"
  quiet wine "$WIN_BUILD/tools/screens/shoot_options.exe" "$english" "$(winepath -w "$work")" \
    "$(winepath -w "$work/mame.ini")"
  convert "$work/options-paths.bmp" -strip "$SCREENS_DIR/dpi$dpi-options.png"
  echo "  $dpi DPI: $(ls "$SCREENS_DIR"/dpi$dpi-*.png | wc -l) pictures"
done
rm -rf "$home"
