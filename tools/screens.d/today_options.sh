#!/usr/bin/env bash
# Today's settings sheet: its seven pages on the stand-in emulator's own
# -showconfig text as mame.ini, and a clone's file inheriting from its
# parent, as $SCREENS_DIR/today-<page>.png. SCREENSHOT_LANGUAGE=italian
# shoots the Italian module instead (into the same names).
set -euo pipefail
: "${WIN_BUILD:?}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$WIN_BUILD/fakemame.exe" "$work/mame.exe"
: > "$work/fakemame.today"
# Games' files along inipath, as a Windows user has it.
wine "$work/mame.exe" -showconfig </dev/null | sed 's|^inipath .*|inipath                   .;ini|' > "$work/mame.ini"
mkdir -p "$work/ini"
printf 'volume                    -6\r\n' > "$work/ini/pacman.ini"
printf 'samplerate                22050\r\n' > "$work/ini/puckman.ini"
cp "$work/mame.ini" "$work/mame.ini.before"
"$(dirname "$0")/../screens/shoot.sh" today_options "$work/mame.exe"
cmp -s "$work/mame.ini.before" "$work/mame.ini" || { echo "the sample ini changed" >&2; exit 1; }
