#!/usr/bin/env bash
# Writes the README's screenshots into docs/screens/ (PNG).
#
# The scheme: one program a subsystem, tools/screens/shoot_<subsystem>.cpp,
# built as shoot_<subsystem>.exe, with one command line
#   shoot_<subsystem> LANGUAGE_DLL OUTPUT_FOLDER INPUT
# (tools/screens/window_shot.h), and one script tools/screens.d/<subsystem>.sh
# that prepares INPUT and runs it through tools/screens/shoot.sh, which keeps
# every BMP the program writes as docs/screens/<same name>.png. A new
# subsystem adds its program to the list in tools/screens/CMakeLists.txt and
# a script here; nothing else changes.
#
# Each script runs with the build's Wine environment, an X display, and
# SCREENS_DIR set to the output folder; SCREENSHOT_LANGUAGE=italian shoots
# the Italian module instead (into the same names).
# usage: screens.sh   (BUILD_DIR and the tools/env.sh variables set)
set -euo pipefail
SRC=$(cd "$(dirname "$0")/.." && pwd)
export SCREENS_DIR="$SRC/docs/screens"
mkdir -p "$SCREENS_DIR"
status=0
for script in "$SRC"/tools/screens.d/*.sh; do
  [ -e "$script" ] || continue
  echo "Screens: $(basename "$script" .sh)"
  bash "$script" || { echo "  failed: $script"; status=1; }
done
exit $status
