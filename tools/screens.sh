#!/usr/bin/env bash
# Writes the README's screenshots into docs/screens/ (PNG). Each script in
# tools/screens.d/ shoots one subsystem's windows; it runs with the build's
# Wine environment, an X display, and SCREENS_DIR set to the output folder.
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
