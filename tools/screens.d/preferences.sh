#!/usr/bin/env bash
# The first-start wizard's three pages, the preferences page, a history
# entry of the installed prefix's demo history.dat (in C:\MAME) and the
# about box: wizard-welcome.png ... about.png.
set -euo pipefail
: "${QUILLET_EMU_HOME:?}"
exec "$(dirname "$0")/../screens/shoot.sh" preferences "$QUILLET_EMU_HOME"
