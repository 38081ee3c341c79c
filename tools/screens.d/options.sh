#!/usr/bin/env bash
# The nine pages of the emulator option sheet on a sample ini file, which
# must come out unchanged: options-<page>.png.
set -euo pipefail
SRC=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$SRC/tests/fixtures/options/every_control.ini" "$work/mame.ini"
"$SRC/tools/screens/shoot.sh" options "$work/mame.ini"
cmp -s "$SRC/tests/fixtures/options/every_control.ini" "$work/mame.ini" || { echo "the sample ini changed" >&2; exit 1; }
