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
own='Quillet SQLite3 ODBC Driver'
odbc="$view"'\ODBC\ODBCINST.INI\'"$own"
shared="$view"'\ODBC\ODBCINST.INI\SQLite3 ODBC Driver'
machine="$view"'\Halvorn\Quillet'
uninstall="$view"'\Microsoft\Windows\CurrentVersion\Uninstall\Quillet'
user='HKCU\Software\Halvorn\Quillet'
appdata="$WINEPREFIX/drive_c/users/$(whoami)/AppData/Local"
usercat="$appdata/Quillet/gamelist.mdb"
# reg.exe of the prefix's own width sees the 64-bit view as HKLM\Software
# and the 32-bit one below WOW6432Node.
# A busy host has been seen to answer a query empty once: ask again then.
regvalue() {
  local value _
  for _ in 1 2 3; do
    # Everything after the value's name and type: paths hold spaces.
    value=$(wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
            awk -v n="$2" 'index($0, "    " n "    ") == 1 { sub(/^ +[^ ].*    REG_[A-Z_]+    /, ""); print }')
    [ -n "$value" ] && break
    sleep 1
  done
  echo "$value"
}
haskey() { wine reg query "$1" </dev/null >/dev/null 2>&1; }
# Wine shows the read-only attribute as a file without write permission.
readonly_file() { [ -e "$1" ] && ! stat -c %A "$1" | grep -q w; }

rm -rf "$WINEPREFIX"
quiet wineboot -i
quiet wineserver -p
quiet wine cmd /c exit
trap 'quiet wineserver -k' EXIT
echo "== the $pkg-bit installer under wine$arch"

# 0. Another program's driver under the shared name: its DLL in the system
# folder, registered without UsageCount (as many installers leave it).
printf 'another program'"'"'s SQLite ODBC driver %s' "$RANDOM" > "$sysdll"
foreign=$(md5sum < "$sysdll")
quiet wine reg add "$shared" /v Driver /d 'C:\windows\'"$system"'\sqlite3odbc.dll' /f
foreign_intact() {  # $1: the step, $2: the UsageCount expected ("" for none)
  [ "$(md5sum < "$sysdll" 2>/dev/null)" = "$foreign" ] || fail "$1: the other program's driver DLL changed or went"
  regvalue "$shared" Driver | grep -qi 'sqlite3odbc.dll' || fail "$1: the other program's registration went"
  [ "$(regvalue "$shared" UsageCount)" = "$2" ] || fail "$1: the other program's UsageCount is '$(regvalue "$shared" UsageCount)', not '$2'"
}

# 1. Silent install.
quiet wine "$setup" /S || fail "setup /S exited non-zero"
for f in Quillet.exe languages/english.dll languages/italian.dll sqlite3odbc.dll uninstall.exe; do
  [ -e "$dir/$f" ] || fail "installed file $f missing"
done
[ -e "$dir/gamelist.mdb" ] && fail "the installer put a catalogue in $programs"
[ "$(regvalue "$machine\\Languages" english)" = 0x9 ] || fail "machine key: english is not 9"
[ "$(regvalue "$machine\\Languages" italian)" = 0x10 ] || fail "machine key: italian is not 16"
regvalue "$odbc" Driver | grep -qi "Quillet.sqlite3odbc.dll" ||
  fail "Quillet's driver registration names '$(regvalue "$odbc" Driver)', not the DLL in its folder"
wine reg query "$view\\ODBC\\ODBCINST.INI\\ODBC Drivers" 2>/dev/null | grep -q "$own" ||
  fail "Quillet's driver is not listed in ODBC Drivers"
foreign_intact install ""
haskey "$uninstall" || fail "no Add/Remove Programs entry"
ls "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Quillet/Quillet.lnk" >/dev/null 2>&1 ||
  fail "no Start-menu shortcut"
if [ "$pkg" = 32 ] && [ "$arch" = 64 ]; then
  haskey 'HKLM\Software\Halvorn\Quillet' && fail "the 32-bit package wrote the 64-bit view"
fi

# 2. Upgrade over a version that kept its catalogue in the program folder
# and counted itself on the shared driver name: the settings stay, the old
# catalogue stays as it was but read-only (each user works on a copy), the
# shared count is handed back, Quillet's own driver is registered once.
cp "$BUILD_DIR/win$pkg/gamelist_empty.mdb" "$dir/gamelist.mdb"
legacy=$(md5sum < "$dir/gamelist.mdb")
quiet wine reg add "$uninstall" /v DriverCounted /d 1 /f
quiet wine reg add "$shared" /v UsageCount /t REG_DWORD /d 2 /f
quiet wine reg add "$user" /v Lang /d italian /f
quiet wine reg add "$machine" /v MameName /d 'C:\MAME\mame.exe' /f
quiet wine "$setup" /S || fail "upgrade setup /S exited non-zero"
[ "$(md5sum < "$dir/gamelist.mdb")" = "$legacy" ] || fail "upgrade changed the old catalogue"
readonly_file "$dir/gamelist.mdb" || fail "upgrade left the old catalogue writable"
[ "$(regvalue "$user" Lang)" = italian ] || fail "upgrade lost the user's settings"
[ "$(regvalue "$machine" MameName)" = 'C:\MAME\mame.exe' ] || fail "upgrade lost the emulator path"
[ "$(regvalue "$odbc" UsageCount)" = 0x1 ] || fail "upgrade counted Quillet's driver twice"
foreign_intact upgrade 0x1
quiet wine reg delete "$shared" /v UsageCount /f

# 3. Start the installed program as a user does: its catalogue is the
# user's copy of the old one, in the user's folder; the old one stays.
if [ "$pkg" = "$arch" ]; then
  quiet wine reg add "$machine" /v Version /t REG_DWORD /d 0x70000 /f
  (cd "$WINEPREFIX/drive_c" && wine "$dir/Quillet.exe" </dev/null >/dev/null 2>&1; echo $? > "$WINEPREFIX/exit-code") &
  opened=0
  for _ in $(seq 60); do
    # The driver opened the catalogue when SQLite made its journal files.
    [ -e "$usercat-wal" ] && { opened=1; break; }
    sleep 0.5
  done
  [ $opened = 1 ] || fail "the installed program did not open a catalogue in the user's folder"
  sleep 1
  [ "$(md5sum < "$dir/gamelist.mdb")" = "$legacy" ] || fail "the program changed the old catalogue"
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
else
  mkdir -p "$appdata/Quillet" && cp "$BUILD_DIR/win$arch/gamelist_empty.mdb" "$usercat"
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

# 4. Uninstall: Quillet's own driver goes, the other program's stays; the
# user's catalogue and settings stay.
quiet wine "$dir/uninstall.exe" /S || fail "uninstall /S exited non-zero"
wait_uninstaller
for f in Quillet.exe languages uninstall.exe sqlite3odbc.dll; do [ -e "$dir/$f" ] && fail "uninstall left $f"; done
[ -e "$usercat" ] || fail "uninstall removed the user's catalogue"
haskey "$machine" && fail "uninstall left the machine key"
haskey "$uninstall" && fail "uninstall left the Add/Remove Programs entry"
[ "$(regvalue "$user" Lang)" = italian ] || fail "uninstall removed the user's settings"
haskey "$odbc" && fail "uninstall left Quillet's driver registered"
wine reg query "$view\\ODBC\\ODBCINST.INI\\ODBC Drivers" 2>/dev/null | grep -q "$own" &&
  fail "uninstall left Quillet's driver in ODBC Drivers"
foreign_intact uninstall ""
ls "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Quillet" >/dev/null 2>&1 &&
  fail "uninstall left the Start-menu folder"

# 5. The other program's driver now counted (UsageCount 3); install again and
# uninstall with the user's data: the user's folder, the virtualized copy,
# the old catalogue and the user key go; the other driver is untouched.
quiet wine reg add "$shared" /v UsageCount /t REG_DWORD /d 3 /f
quiet wine "$setup" /S
vstore="$appdata/VirtualStore/${programs}/Quillet"
mkdir -p "$vstore" && cp "$BUILD_DIR/win$pkg/gamelist_empty.mdb" "$vstore/gamelist.mdb"
quiet wine "$dir/uninstall.exe" /S /REMOVEUSERDATA
wait_uninstaller
[ -e "$dir" ] && fail "uninstall with /REMOVEUSERDATA left the folder"
[ -e "$appdata/Quillet" ] && fail "uninstall with /REMOVEUSERDATA left the user's catalogue folder"
[ -e "$vstore/gamelist.mdb" ] && fail "uninstall with /REMOVEUSERDATA left the virtualized copy"
haskey "$user" && fail "uninstall with /REMOVEUSERDATA left the user's settings"
haskey "$odbc" && fail "the last uninstall left Quillet's driver registered"
foreign_intact "the last uninstall" 0x3

[ $failures = 0 ] && echo "installer $pkg-bit under wine$arch: ok"
exit $((failures > 0))
