#!/usr/bin/env bash
# Runs every benchmark of a build: the native ones as they are, the Windows
# ones under Wine in the build's prefix. Figures only; nothing here fails on
# a missed target. `make bench` builds what is needed and runs this under
# tools/with-display.sh with the environment of tools/env.sh.
# usage: bench.sh BUILD_DIR
set -euo pipefail
BUILD_DIR=$(cd "${1:?usage: bench.sh BUILD_DIR}" && pwd)
: "${WINEPREFIX:?source tools/env.sh first}"
status=0

for exe in "$BUILD_DIR"/native/bench/*; do
  [ -f "$exe" ] && [ -x "$exe" ] || continue
  echo "== $(basename "$exe") (native)"
  "$exe" || status=1
done

# rebuild_bench has the stand-in emulator print a generated 45,000-game list
# with its verification and catver.ini; written once per build.
gen="$BUILD_DIR/native/tools/gengamelist/gengamelist"
data="$WIN_BUILD/bench/rebuild-data"
if [ -x "$gen" ] && [ ! -e "$data/catver.ini" ]; then
  mkdir -p "$data"
  "$gen" --games 45000 --seed 7 --crlf --xml "$data/gamelist.xml" --verify "$data/verify.txt" --catver "$data/catver.ini"
fi

# The same benchmark on the real list of today's emulator (MAME 0.251, 269 MB,
# unpacked into the build by tools/fakemame), with its -verifyroms output:
# rebuild_bench runs a second time on that folder.
today_list="$WIN_BUILD/realdata/listxml_mame0251_full.xml"
today="$WIN_BUILD/bench/today-data"
realdata="$(dirname "$0")/../../shared/realdata"
if [ -e "$today_list" ] && [ -e "$realdata/verifyroms_mame0251_noroms.txt" ]; then
  mkdir -p "$today"
  ln -sf "$today_list" "$today/gamelist.xml"
  cp -f "$realdata/verifyroms_mame0251_noroms.txt" "$today/verify.txt"
  cp -f "$realdata/catver_mame078_rev2_2003-12-27.ini" "$today/catver.ini"
  touch "$today/fakemame.today"
fi

for exe in "$WIN_BUILD"/bench/*.exe; do
  [ -e "$exe" ] || continue
  name=$(basename "$exe")
  # Xvfb has no window manager, and Wine then waits up to 2 s whenever a
  # managed window is hidden. Turn window management off for the benchmark
  # programs alone (an AppDefaults key), so the program is measured rather
  # than that wait.
  wine reg add "HKCU\\Software\\Wine\\AppDefaults\\$name\\X11 Driver" /v Managed /d N /f >/dev/null 2>&1 || true
  echo "== $name (Wine)"
  wine "$exe" || status=1
  if [ "$name" = rebuild_bench.exe ] && [ -e "$today/fakemame.today" ]; then
    echo "== $name, today's emulator (Wine)"
    wine "$exe" "$(winepath -w "$today")" || status=1
  fi
done
exit $status
