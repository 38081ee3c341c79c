#!/usr/bin/env bash
# Prepares the project-local Wine prefix as Quillet's installer would:
# the program in C:\Quillet with its language modules and a catalogue, the
# machine key with its Languages list, and the host ODBC driver registered.
# Idempotent; never overwrites an existing catalogue.
# usage: prepare-prefix.sh BUILD_DIR
set -euo pipefail
SRC=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR=$(cd "$1" && pwd)
WIN_BUILD="$BUILD_DIR/win"
. "$SRC/tools/env.sh"

# The 32-bit SQLite ODBC driver is a host library; unixODBC finds it here.
mkdir -p "$ODBCSYSINI"
cat > "$ODBCSYSINI/odbcinst.ini" <<INI
[SQLite3 ODBC Driver]
Description=SQLite3 ODBC Driver
Driver=/usr/lib/i386-linux-gnu/odbc/libsqlite3odbc.so
Setup=/usr/lib/i386-linux-gnu/odbc/libsqlite3odbc.so
UsageCount=1
INI
: > "$ODBCSYSINI/odbc.ini"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Creating the Wine prefix $WINEPREFIX (once, 10-20 s)"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
fi

mkdir -p "$QUILLET_HOME/languages"
cp -f "$WIN_BUILD/Quillet.exe" "$QUILLET_HOME/"
for dll in "$WIN_BUILD"/languages/*.dll; do
  [ -e "$dll" ] && cp -f "$dll" "$QUILLET_HOME/languages/"
done
if [ ! -e "$QUILLET_HOME/gamelist.mdb" ] && [ -e "$WIN_BUILD/gamelist.mdb" ]; then
  cp "$WIN_BUILD/gamelist.mdb" "$QUILLET_HOME/gamelist.mdb"
fi

# Installer hooks of later parts (the emulator stand-in and its files).
for hook in "$SRC"/tools/install.d/*.sh; do
  [ -e "$hook" ] && . "$hook"
done

# Machine key and the installed languages.
reg="$BUILD_DIR/install.reg"
{
  printf 'REGEDIT4\r\n\r\n'
  printf '[HKEY_LOCAL_MACHINE\\Software\\Halvorn\\Quillet]\r\n'
  [ -n "${QUILLET_MAME_NAME:-}" ] && {
    # .reg strings double their backslashes
    printf '"MameName"="%s"\r\n' "${QUILLET_MAME_NAME//\\/\\\\}"
    printf '"MameDir"="%s"\r\n' "${QUILLET_MAME_DIR//\\/\\\\}"
    printf '"MameCfg"="%s"\r\n' "${QUILLET_MAME_CFG//\\/\\\\}"
  }
  printf '\r\n[HKEY_LOCAL_MACHINE\\Software\\Halvorn\\Quillet\\Languages]\r\n'
  printf '"english"=dword:00000009\r\n'
  printf '"italian"=dword:00000010\r\n'
} > "$reg"
wine regedit /S "$(winepath -w "$reg")" >/dev/null 2>&1
wineserver -w
