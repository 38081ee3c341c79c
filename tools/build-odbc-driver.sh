#!/usr/bin/env bash
# Builds the SQLite3 ODBC driver for Windows (sqlite3odbc.dll), 32-bit and
# 64-bit, from Debian's own source packages of the driver and of SQLite, so
# the installers can ship a catalogue driver that a bare Windows lacks.
#   BUILD_DIR/driver/src/         the unpacked sources (fetched once)
#   BUILD_DIR/driver/win32/sqlite3odbc.dll, BUILD_DIR/driver/win64/...
# A build that already has the sources skips fetching them; one that has
# both DLLs newer than the sources does nothing. Each DLL's imports are
# checked: system DLLs only, so it loads on any Windows.
# usage: build-odbc-driver.sh BUILD_DIR
set -euo pipefail
BUILD_DIR=$(mkdir -p "$1" && cd "$1" && pwd)
DRIVER="$BUILD_DIR/driver"
SRC="$DRIVER/src"
mkdir -p "$SRC"

# 1. Sources: apt-get source needs deb-src lines; install-deps.sh adds them.
if ! ls -d "$SRC"/sqliteodbc-*/ >/dev/null 2>&1 || ! ls -d "$SRC"/sqlite3-*/ >/dev/null 2>&1; then
  echo "Fetching the sources of sqliteodbc and sqlite3 (apt-get source)"
  (cd "$SRC" && apt-get source -qq sqliteodbc sqlite3 >/dev/null 2>"$SRC/fetch.log") || {
    cat "$SRC/fetch.log" >&2
    echo "Could not fetch the driver's sources: is there a deb-src line (tools/install-deps.sh adds one)?" >&2
    exit 1
  }
fi
odbc_src=$(ls -d "$SRC"/sqliteodbc-*/ | head -1); odbc_src=${odbc_src%/}
sqlite_src=$(ls -d "$SRC"/sqlite3-*/ | head -1); sqlite_src=${sqlite_src%/}

# 2. The SQLite amalgamation (sqlite3.c), generated from the canonical tree.
amalgamation="$SRC/amalgamation"
if [ ! -s "$amalgamation/sqlite3.c" ]; then
  echo "Generating the SQLite amalgamation"
  rm -rf "$amalgamation" && mkdir -p "$amalgamation"
  (cd "$amalgamation" && "$sqlite_src/configure" --disable-tcl >/dev/null 2>&1 && make sqlite3.c >/dev/null 2>&1) || {
    echo "Generating sqlite3.c failed (it needs tclsh); see $amalgamation/config.log" >&2
    exit 1
  }
fi

# 3. One driver per edition, each in its own copy of the driver's tree.
check_imports() {
  local dll=$1 objdump=$2 bad
  bad=$("$objdump" -p "$dll" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' |
        grep -vxE 'kernel32\.dll|user32\.dll|gdi32\.dll|advapi32\.dll|shell32\.dll|comdlg32\.dll|msvcrt\.dll|odbc32\.dll|odbccp32\.dll' || true)
  if [ -n "$bad" ]; then
    echo "$dll imports non-system DLLs: $bad" >&2
    return 1
  fi
}

for bits in 32 64; do
  out="$DRIVER/win$bits/sqlite3odbc.dll"
  if [ -s "$out" ] && [ "$out" -nt "$amalgamation/sqlite3.c" ]; then
    check_imports "$out" "$([ $bits = 32 ] && echo i686 || echo x86_64)-w64-mingw32-objdump"
    continue
  fi
  work="$DRIVER/work$bits"
  rm -rf "$work" && cp -r "$odbc_src" "$work"
  mkdir -p "$work/sqlite3"
  cp "$amalgamation/sqlite3.c" "$amalgamation/sqlite3.h" "$work/sqlite3/"
  [ -e "$amalgamation/sqlite3ext.h" ] && cp "$amalgamation/sqlite3ext.h" "$work/sqlite3/"
  if [ $bits = 32 ]; then
    prefix=i686-w64-mingw32-
    # -march=i686, as the driver's 32-bit cross build needs; libgcc linked
    # in, so the DLL needs no MinGW DLL beside it.
    cc="${prefix}gcc -march=i686 -static-libgcc"
  else
    prefix=x86_64-w64-mingw32-
    cc="${prefix}gcc -static-libgcc"
  fi
  echo "Building the ${bits}-bit SQLite ODBC driver"
  make -C "$work" -f Makefile.mingw64-cross MINGW="$prefix" CC="$cc" \
       SQLITE3_A10N_O=sqlite3a10n.o ADD_CFLAGS=-DWITHOUT_SHELL=1 sqlite3odbc.dll >"$work/build.log" 2>&1 || {
    tail -20 "$work/build.log" >&2
    echo "Building the ${bits}-bit driver failed; see $work/build.log" >&2
    exit 1
  }
  mkdir -p "$(dirname "$out")"
  cp "$work/sqlite3odbc.dll" "$out.part" && mv "$out.part" "$out"
  cp "$odbc_src/license.terms" "$DRIVER/license.terms"
  check_imports "$out" "${prefix}objdump"
done
echo "SQLite ODBC drivers: $DRIVER/win32/sqlite3odbc.dll, $DRIVER/win64/sqlite3odbc.dll"
