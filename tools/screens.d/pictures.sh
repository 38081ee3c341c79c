#!/usr/bin/env bash
# The main window with the picture pane beside the list (a snapshot, then a
# flyer) and the list's icons, over the build's demo catalogue and the
# installed prefix's demo pictures in C:\MAME: pictures-snapshot.png,
# pictures-flyer.png.
set -euo pipefail
: "${QUILLET_EMU_HOME:?}"
exec "$(dirname "$0")/../screens/shoot.sh" pictures "$QUILLET_EMU_HOME"
