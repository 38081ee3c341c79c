#!/usr/bin/env bash
# Runs Windows tests of one edition at 144 and 192 DPI: the language
# modules' dialogs, pages and texts must still fit, and the main window's
# layout must hold. Wine reads the DPI (LogPixels) when a session starts, so
# these run in a prefix of their own (made once, about 20 s), never in the
# prefix the other tests share at the same time.
# usage: test-dpi.sh BUILD_DIR 32|64 TEST_EXE...
set -uo pipefail
SRC=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR=$(cd "$1" && pwd)
. "$SRC/tools/env.sh" "$2"
shift 2
export WINEPREFIX="$BUILD_DIR/wineprefix$QUILLET_ARCH-dpi"
quiet() { "$@" </dev/null >/dev/null 2>&1; }
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  quiet wineboot -i
  quiet wineserver -w
fi
trap 'quiet wineserver -k' EXIT
failures=0
for dpi in 144 192; do
  quiet wineserver -k
  quiet wineserver -p
  quiet wine cmd /c exit
  quiet wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d $dpi /f
  quiet wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
  # The DPI is taken when the session starts: start it again.
  quiet wineserver -k
  quiet wineserver -p
  quiet wine cmd /c exit
  for exe in "$@"; do
    echo "== $(basename "$exe") at $dpi DPI"
    QUILLET_EXPECT_DPI=$dpi wine "$exe" </dev/null > "$BUILD_DIR/dpi-$(basename "$exe" .exe)-$dpi.log" 2>&1 || {
      failures=$((failures + 1))
      grep -aE 'ERROR|values:|logged|Status' "$BUILD_DIR/dpi-$(basename "$exe" .exe)-$dpi.log" | head -40
    }
    tail -3 "$BUILD_DIR/dpi-$(basename "$exe" .exe)-$dpi.log"
  done
done
exit $((failures > 0))
