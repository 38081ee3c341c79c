#!/usr/bin/env bash
# Runs a command with an X display and a running wineserver for each edition
# it may start: the user's display when there is one, else a private Xvfb
# started for the run. The editions are QUILLET_TEST_ARCHS ("32 64", "64"),
# by default the ones the host's Wine can run (tools/host-archs.sh).
set -euo pipefail
TOOLS=$(cd "$(dirname "$0")" && pwd)
: "${BUILD_DIR:?}"
archs=${QUILLET_TEST_ARCHS:-$("$TOOLS/host-archs.sh")}
. "$TOOLS/display.sh"
ensure_display
started_xvfb=$XVFB_PID

start_wine() (
  . "$TOOLS/env.sh" "$1"
  [ -f "$WINEPREFIX/system.reg" ] || exit 0
  wineserver -p 2>/dev/null || true
  # Start Wine's own background processes now, detached from our output:
  # the first wine command otherwise hands them its stdout, and a pipe
  # reader such as ctest then waits for an end of file that never comes.
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
  # Without a window manager, Wine waits about a second for the manager's
  # answer each time a managed window is hidden or destroyed: tests that
  # open dialogs then crawl. Unmanaged windows skip that wait.
  if [ -n "$started_xvfb" ]; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 || true
  fi
  # The desktop process too: Wine starts it with the first window any
  # program opens, handing it that program's stderr, and it lives as long as
  # the server. A test's stderr is ctest's pipe, which then never ends.
  setsid wine explorer.exe /desktop </dev/null >/dev/null 2>&1 &
  for _ in $(seq 100); do
    for pid in $(pgrep -f 'explorer.exe /desktop'); do
      grep -qzx "WINEPREFIX=$WINEPREFIX" "/proc/$pid/environ" 2>/dev/null && return 0
    done
    sleep 0.1
  done
)
stop_wine() (
  . "$TOOLS/env.sh" "$1"
  wineserver -k 2>/dev/null || true
)

for arch in $archs; do start_wine "$arch"; done
cleanup() {
  for arch in $archs; do stop_wine "$arch"; done
  [ -n "$started_xvfb" ] && kill "$started_xvfb" 2>/dev/null || true
}
trap cleanup EXIT
"$@"
