#!/usr/bin/env bash
# Installs, starts and uninstalls one installer silently in a fresh Wine
# prefix of its own, and checks what each step leaves behind.
# usage: test-installer.sh BUILD_DIR PACKAGE_BITS PREFIX_BITS
#   PACKAGE_BITS  32 or 64: dist/quillet-0.7.1-win<bits>-setup.exe
#   PREFIX_BITS   the Wine that runs it; a 32-bit package in a 64-bit prefix
#                 checks the 32-bit registry view and folders (WOW6432Node).
# The installed program is started only where its edition matches the
# prefix: it opens its catalogue through the host's ODBC driver of that
# width, which tools/prepare-prefix.sh registers.
set -uo pipefail
SRC=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR=$(cd "$1" && pwd)
pkg=$2 arch=$3
. "$SRC/tools/env.sh" "$arch"
export WINEPREFIX="$BUILD_DIR/wineprefix-setup$pkg-in-$arch"
setup="$SRC/dist/quillet-0.7.1-win$pkg-setup.exe"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
check() { local what=$1; shift; "$@" >/dev/null 2>&1 || fail "$what"; }
quiet() { "$@" </dev/null >/dev/null 2>&1; }

[ -e "$setup" ] || { echo "FAIL: $setup is missing (make installer)"; exit 1; }
if [ "$pkg" = 32 ] && [ "$arch" = 64 ]; then
  view='HKLM\Software\Wow6432Node' programs="Program Files (x86)" system=syswow64
else
  view='HKLM\Software' programs="Program Files" system=system32
fi
dir="$WINEPREFIX/drive_c/$programs/Quillet"
sysdll="$WINEPREFIX/drive_c/windows/$system/sqlite3odbc.dll"
odbc="$view"'\ODBC\ODBCINST.INI\SQLite3 ODBC Driver'
machine="$view"'\Halvorn\Quillet'
uninstall="$view"'\Microsoft\Windows\CurrentVersion\Uninstall\Quillet'
user='HKCU\Software\Halvorn\Quillet'
# reg.exe of the prefix's own width sees the 64-bit view as HKLM\Software
# and the 32-bit one below WOW6432Node.
# A busy host has been seen to answer a query empty once: ask again then.
regvalue() {
  local value _
  for _ in 1 2 3; do
    value=$(wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v n="$2" '$1 == n { print $3 }')
    [ -n "$value" ] && break
    sleep 1
  done
  echo "$value"
}
haskey() { wine reg query "$1" </dev/null >/dev/null 2>&1; }

rm -rf "$WINEPREFIX"
quiet wineboot -i
quiet wineserver -p
quiet wine cmd /c exit
trap 'quiet wineserver -k' EXIT
echo "== the $pkg-bit installer under wine$arch"

# 1. Silent install.
quiet wine "$setup" /S || fail "setup /S exited non-zero"
for f in Quillet.exe languages/english.dll languages/italian.dll gamelist.mdb uninstall.exe; do
  [ -e "$dir/$f" ] || fail "installed file $f missing"
done
[ -e "$sysdll" ] || fail "the driver is not in $system"
[ "$(regvalue "$machine\\Languages" english)" = 0x9 ] || fail "machine key: english is not 9"
[ "$(regvalue "$machine\\Languages" italian)" = 0x10 ] || fail "machine key: italian is not 16"
count=$(regvalue "$odbc" UsageCount)
[ "$count" = 0x1 ] || fail "driver UsageCount is ${count:-missing}, not 1"
regvalue "$odbc" Driver | grep -qi "sqlite3odbc.dll" || fail "driver registration names no DLL"
[ -n "$(regvalue "$view\\ODBC\\ODBCINST.INI\\ODBC Drivers" SQLite3)" ] ||
  wine reg query "$view\\ODBC\\ODBCINST.INI\\ODBC Drivers" 2>/dev/null | grep -q 'SQLite3 ODBC Driver' ||
  fail "the driver is not listed in ODBC Drivers"
haskey "$uninstall" || fail "no Add/Remove Programs entry"
ls "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Quillet/Quillet.lnk" >/dev/null 2>&1 ||
  fail "no Start-menu shortcut"
if [ "$pkg" = 32 ] && [ "$arch" = 64 ]; then
  haskey 'HKLM\Software\Halvorn\Quillet' && fail "the 32-bit package wrote the 64-bit view"
fi

# 2. Upgrade: the same package over itself keeps the user's catalogue and
# settings, and counts the driver once.
printf 'user catalogue' >> "$dir/gamelist.mdb"
quiet wine reg add "$user" /v Lang /d italian /f
quiet wine reg add "$machine" /v MameName /d 'C:\MAME\mame.exe' /f
quiet wine "$setup" /S || fail "upgrade setup /S exited non-zero"
tail -c 14 "$dir/gamelist.mdb" | grep -q 'user catalogue' || fail "upgrade replaced the catalogue"
[ "$(regvalue "$user" Lang)" = italian ] || fail "upgrade lost the user's settings"
[ "$(regvalue "$machine" MameName)" = 'C:\MAME\mame.exe' ] || fail "upgrade lost the emulator path"
[ "$(regvalue "$odbc" UsageCount)" = 0x1 ] || fail "upgrade counted the driver twice"

# 3. Start the installed program on an empty catalogue and close it.
if [ "$pkg" = "$arch" ]; then
  cp "$BUILD_DIR/win$pkg/gamelist_empty.mdb" "$dir/gamelist.mdb"
  quiet wine reg add "$machine" /v Version /t REG_DWORD /d 0x70000 /f
  (cd "$dir" && wine Quillet.exe </dev/null >/dev/null 2>&1; echo $? > "$WINEPREFIX/exit-code") &
  opened=0
  for _ in $(seq 60); do
    # The driver opened the catalogue when SQLite made its journal files.
    [ -e "$dir/gamelist.mdb-wal" ] && { opened=1; break; }
    sleep 0.5
  done
  [ $opened = 1 ] || fail "the installed program did not open its catalogue"
  sleep 1
  # Only this program's windows: other tests may have windows on the display.
  pid=$(pgrep -f "$programs.Quillet.Quillet\.exe" | head -1)
  titles=$(xdotool search --onlyvisible --pid "${pid:-0}" --name '.' 2>/dev/null |
           while read -r w; do xdotool getwindowname "$w"; done)
  # One window captioned "Quillet 0.7.1": the main window. A message box
  # carries the same caption, so a second one means an error was shown.
  # "Default IME" and, under load, "Wine" are Wine's own helper windows.
  [ "$(echo "$titles" | grep -cx 'Quillet 0.7.1')" = 1 ] ||
    fail "not the main window alone (windows: $(echo "$titles" | tr '\n' ','))"
  echo "$titles" | grep -qvE '^(Quillet 0.7.1|Default IME|Wine|)$' &&
    fail "other windows opened: $(echo "$titles" | tr '\n' ',')"
  quiet wine taskkill /im Quillet.exe
  for _ in $(seq 40); do [ -e "$WINEPREFIX/exit-code" ] && break; sleep 0.5; done
  [ "$(cat "$WINEPREFIX/exit-code" 2>/dev/null)" = 0 ] || fail "the program did not close with code 0"
fi

# An NSIS uninstaller copies itself to the temporary folder, starts the copy
# and returns at once: wait for the copy to end. (wineserver -w would wait
# for the persistent server itself.)
wait_uninstaller() {
  local _
  # Done when the copy has removed uninstall.exe and is gone itself.
  for _ in $(seq 120); do
    if [ ! -e "$dir/uninstall.exe" ] && ! pgrep -f '~nsu' >/dev/null; then
      sleep 0.5
      pgrep -f '~nsu' >/dev/null || return 0
    fi
    sleep 0.5
  done
  fail "the uninstaller did not finish"
}

# 4. Uninstall while another program still counts on the driver.
quiet wine reg add "$odbc" /v UsageCount /t REG_DWORD /d 2 /f
quiet wine "$dir/uninstall.exe" /S || fail "uninstall /S exited non-zero"
wait_uninstaller
for f in Quillet.exe languages uninstall.exe; do [ -e "$dir/$f" ] && fail "uninstall left $f"; done
[ -e "$dir/gamelist.mdb" ] || fail "uninstall removed the user's catalogue"
haskey "$machine" && fail "uninstall left the machine key"
haskey "$uninstall" && fail "uninstall left the Add/Remove Programs entry"
[ "$(regvalue "$user" Lang)" = italian ] || fail "uninstall removed the user's settings"
[ "$(regvalue "$odbc" UsageCount)" = 0x1 ] || fail "uninstall did not leave the shared driver counted once"
[ -e "$sysdll" ] || fail "uninstall removed a driver another program uses"
ls "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Quillet" >/dev/null 2>&1 &&
  fail "uninstall left the Start-menu folder"

# 5. The last one out: install again, uninstall with the user's data.
quiet wine reg add "$odbc" /v UsageCount /t REG_DWORD /d 0 /f
quiet wine "$setup" /S
quiet wine "$dir/uninstall.exe" /S /REMOVEUSERDATA
wait_uninstaller
[ -e "$dir" ] && fail "uninstall with /REMOVEUSERDATA left the folder"
haskey "$user" && fail "uninstall with /REMOVEUSERDATA left the user's settings"
haskey "$odbc" && fail "the last uninstall left the driver registered"
[ -e "$sysdll" ] && fail "the last uninstall left the driver DLL"

[ $failures = 0 ] && echo "installer $pkg-bit under wine$arch: ok"
exit $((failures > 0))
