#!/usr/bin/env bash
# Prepares one edition's project-local Wine prefix as Quillet's installer
# would: the program in C:\Quillet with its language modules and a
# catalogue, the machine key with its Languages list and the set-up the
# first-start wizard completes (Version), and the host ODBC driver of the
# edition's architecture registered. Idempotent; never overwrites an
# existing catalogue.
# usage: prepare-prefix.sh BUILD_DIR 32|64
# FIRST_START=1 leaves Version out of the machine key, so the program opens
# its first-start wizard.
set -euo pipefail
SRC=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR=$(cd "$1" && pwd)
. "$SRC/tools/env.sh" "$2"

# The SQLite ODBC driver is a host library of the edition's architecture:
# Wine's odbc32 hands every call to the host's unixODBC of the same width.
case "$QUILLET_ARCH" in
  32) driver=/usr/lib/i386-linux-gnu/odbc/libsqlite3odbc.so ;;
  64) driver=/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so ;;
esac
if [ ! -e "$driver" ]; then
  echo "The $QUILLET_ARCH-bit SQLite ODBC driver $driver is missing: run tools/install-deps.sh." >&2
  exit 1
fi
mkdir -p "$ODBCSYSINI"
cat > "$ODBCSYSINI/odbcinst.ini" <<INI
[SQLite3 ODBC Driver]
Description=SQLite3 ODBC Driver
Driver=$driver
Setup=$driver
UsageCount=1
INI
: > "$ODBCSYSINI/odbc.ini"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Creating the $QUILLET_ARCH-bit Wine prefix $WINEPREFIX (once, 10-20 s)"
  wineboot -i </dev/null >/dev/null 2>&1 || true
  wineserver -w
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Wine could not create the prefix $WINEPREFIX." >&2
    exit 1
  fi
fi

mkdir -p "$QUILLET_HOME/languages"
cp -f "$WIN_BUILD/Quillet.exe" "$QUILLET_HOME/"
for dll in "$WIN_BUILD"/languages/*.dll; do
  [ -e "$dll" ] && cp -f "$dll" "$QUILLET_HOME/languages/"
done
if [ ! -e "$QUILLET_HOME/gamelist.mdb" ] && [ -e "$WIN_BUILD/gamelist.mdb" ]; then
  cp "$WIN_BUILD/gamelist.mdb" "$QUILLET_HOME/gamelist.mdb"
fi

# Installer hooks: the emulator stand-in, its demo files and documents.
for hook in "$SRC"/tools/install.d/*.sh; do
  [ -e "$hook" ] && . "$hook"
done

# Machine key and the installed languages, in the edition's own registry
# view (the prefix's architecture is the edition's, so that is the plain one).
reg="$BUILD_DIR/install$QUILLET_ARCH.reg"
{
  printf 'REGEDIT4\r\n\r\n'
  printf '[HKEY_LOCAL_MACHINE\\Software\\Halvorn\\Quillet]\r\n'
  [ -n "${QUILLET_MAME_NAME:-}" ] && {
    # .reg strings double their backslashes
    printf '"MameName"="%s"\r\n' "${QUILLET_MAME_NAME//\\/\\\\}"
    printf '"MameDir"="%s"\r\n' "${QUILLET_MAME_DIR//\\/\\\\}"
    printf '"MameCfg"="%s"\r\n' "${QUILLET_MAME_CFG//\\/\\\\}"
  }
  if [ "${FIRST_START:-0}" = 1 ]; then
    printf '"Version"=-\r\n'
  else
    printf '"Version"=dword:00070000\r\n'
  fi
  if [ "${FIRST_START:-0}" = 1 ]; then
    # The program keeps a copy of Version in the user key as well.
    printf '\r\n[HKEY_CURRENT_USER\\Software\\Halvorn\\Quillet]\r\n"Version"=-\r\n'
  fi
  printf '\r\n[HKEY_LOCAL_MACHINE\\Software\\Halvorn\\Quillet\\Languages]\r\n'
  printf '"english"=dword:00000009\r\n'
  printf '"italian"=dword:00000010\r\n'
} > "$reg"
wine regedit /S "$(winepath -w "$reg")" </dev/null >/dev/null 2>&1
wineserver -w
