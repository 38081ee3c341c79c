#!/usr/bin/env bash
# Packs one zip per edition: dist/quillet-0.7.1-win32.zip and -win64.zip,
# each with the program, its language modules, an empty catalogue and a
# README.txt on installing by hand.
# usage: dist.sh BUILD_DIR
set -euo pipefail
SRC=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR=$(cd "$1" && pwd)
VERSION=0.7.1
mkdir -p "$SRC/dist"
for bits in 32 64; do
  build="$BUILD_DIR/win$bits"
  stage="$BUILD_DIR/dist/quillet-$VERSION-win$bits"
  rm -rf "$stage"
  mkdir -p "$stage/languages"
  cp "$build/Quillet.exe" "$stage/"
  cp "$build/languages/english.dll" "$build/languages/italian.dll" "$stage/languages/"
  cp "$build/gamelist_empty.mdb" "$stage/gamelist.mdb"
  if [ $bits = 32 ]; then
    key='HKEY_LOCAL_MACHINE\Software\Halvorn\Quillet'
    wow='On 64-bit Windows the 32-bit edition reads its machine key through the
32-bit registry view, so the key lies at
  HKEY_LOCAL_MACHINE\Software\WOW6432Node\Halvorn\Quillet
(write it with the 32-bit regedit, %windir%\SysWOW64\regedit.exe, or with
"reg add ... /reg:32").'
  else
    key='HKEY_LOCAL_MACHINE\Software\Halvorn\Quillet'
    wow='The 64-bit edition reads the native (64-bit) registry view: the key above,
not the one under WOW6432Node that the 32-bit edition uses. Each edition
installed needs its own machine key.'
  fi
  sed 's/$/\r/' > "$stage/README.txt" <<TXT
Quillet $VERSION, $bits-bit edition
==============================

Quillet is a front end for the MAME arcade emulator: it builds a catalogue
of the games your MAME supports, shows them in a filtered, sortable list
coloured by the state of each ROM set, and starts them.

Installing by hand
------------------
1. Copy this folder where you keep programs, for example C:\\Quillet, or
   onto a USB stick. It holds Quillet.exe, the language modules in
   languages\\ and an empty catalogue, gamelist.mdb, which Quillet fills
   from MAME. While you can write to this folder, Quillet keeps its
   catalogue here (portable use); in a folder you cannot write, such as
   Program Files, or with gamelist.mdb marked read-only, it works on a copy
   in %LOCALAPPDATA%\\Quillet instead.
2. Create the machine key an installer would write, as an administrator:
     $key
   with the subkey Languages holding one DWORD per language module:
     english = 9
     italian = 16
   For example:
     reg add "$key\\Languages" /v english /t REG_DWORD /d 9$( [ $bits = 32 ] && echo ' /reg:32' || echo ' /reg:64')
     reg add "$key\\Languages" /v italian /t REG_DWORD /d 16$( [ $bits = 32 ] && echo ' /reg:32' || echo ' /reg:64')
   $wow
3. The catalogue is an SQLite file opened through ODBC: install an SQLite3
   ODBC driver of the same width as this edition, registered under the name
   "SQLite3 ODBC Driver" (the installer registers its own copy as
   "Quillet SQLite3 ODBC Driver", which Quillet prefers when it is there).
4. Start Quillet.exe. The first start asks for your MAME executable; your
   own settings are kept under
     HKEY_CURRENT_USER\Software\Halvorn\Quillet
   and win over the machine key's MameName, MameDir, MameCfg and Version.
TXT
  zip="$SRC/dist/quillet-$VERSION-win$bits.zip"
  rm -f "$zip"
  (cd "$BUILD_DIR/dist" && zip -qr -X "$zip" "quillet-$VERSION-win$bits")
  echo "Packed $zip"
done
