#!/usr/bin/env bash
# Runs a command with an X display and a running wineserver: the user's
# display when there is one, else a private Xvfb started for the run.
set -euo pipefail
. "$(dirname "$0")/display.sh"
ensure_display
started_xvfb=$XVFB_PID
wineserver -p 2>/dev/null || true
# Start Wine's own background processes now, detached from our output: the
# first wine command otherwise hands them its stdout, and a pipe reader such
# as ctest then waits for an end of file that never comes.
wine cmd /c exit </dev/null >/dev/null 2>&1 || true
# Without a window manager, Wine waits about a second for the manager's
# answer each time a managed window is hidden or destroyed: tests that open
# dialogs then crawl. Unmanaged windows skip that wait.
if [ -n "$started_xvfb" ]; then
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 || true
fi
cleanup() {
  wineserver -k 2>/dev/null || true
  [ -n "$started_xvfb" ] && kill "$started_xvfb" 2>/dev/null || true
}
trap cleanup EXIT
"$@"
