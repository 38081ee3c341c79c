#!/usr/bin/env bash
# Starts the installed Quillet from its start directory, as a user would.
# Without a usable display it runs under Xvfb and writes a screenshot of the
# main window once it is up.
set -euo pipefail
: "${BUILD_DIR:?}" "${QUILLET_HOME:?}"
shot="$BUILD_DIR/screenshot.png"
. "$(dirname "$0")/display.sh"
ensure_display
xvfb=$XVFB_PID
[ -n "$xvfb" ] && echo "No display found: running Quillet under Xvfb on $DISPLAY."
trap '[ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null' EXIT
# Unmanaged windows under Xvfb (no window manager to wait for); managed,
# framed windows on a real desktop.
if [ -n "$xvfb" ]; then
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 || true
else
  wine reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f </dev/null >/dev/null 2>&1 || true
fi
cd "$QUILLET_HOME"
wine Quillet.exe &
app=$!
if [ -n "$xvfb" ]; then
  for _ in $(seq 120); do
    xdotool search --name '^Quillet 0.7.1$' >/dev/null 2>&1 && break
    kill -0 $app 2>/dev/null || break
    sleep 0.5
  done
  sleep 5
  import -window root "$shot" && echo "Screenshot of the main window: $shot"
  echo "Quillet runs until it is closed (or this command is interrupted)."
fi
status=0
wait $app || status=$?
echo "Quillet exited with code $status."
exit $status
