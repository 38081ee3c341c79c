#!/usr/bin/env bash
# Builds the installers dist/quillet-0.7.1-win32-setup.exe and
# -win64-setup.exe with NSIS, from the staged release folders of
# tools/dist.sh and the SQLite ODBC drivers of tools/build-odbc-driver.sh.
# usage: build-installer.sh BUILD_DIR
set -euo pipefail
SRC=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR=$(cd "$1" && pwd)
VERSION=0.7.1
"$SRC/tools/build-odbc-driver.sh" "$BUILD_DIR"
mkdir -p "$SRC/dist"
for bits in 32 64; do
  stage="$BUILD_DIR/dist/quillet-$VERSION-win$bits"
  [ -e "$stage/Quillet.exe" ] || { echo "missing $stage: run tools/dist.sh first" >&2; exit 1; }
  setup_stage="$BUILD_DIR/installer/win$bits"
  rm -rf "$setup_stage" && mkdir -p "$setup_stage"
  cp -r "$stage/." "$setup_stage/"
  cp "$BUILD_DIR/driver/win$bits/sqlite3odbc.dll" "$setup_stage/"
  out="$SRC/dist/quillet-$VERSION-win$bits-setup.exe"
  makensis -V2 -DBITS=$bits -DVERSION=$VERSION -DSTAGE="$setup_stage" -DOUTFILE="$out.part" \
    "$SRC/installer/quillet.nsi" >"$BUILD_DIR/installer/makensis$bits.log" 2>&1 || {
    cat "$BUILD_DIR/installer/makensis$bits.log" >&2
    exit 1
  }
  mv "$out.part" "$out"
  echo "Built $out"
done
