#!/usr/bin/env bash
# Starts the installed Quillet from its start directory, as a user would.
# Without a usable display it runs under Xvfb and writes a screenshot of the
# main window once it is up.
set -euo pipefail
: "${BUILD_DIR:?}" "${QUILLET_HOME:?}"
shot="$BUILD_DIR/screenshot.png"
xvfb=""
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    export DISPLAY=":$n"
    break
  done
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  echo "No display found: running Quillet under Xvfb on $DISPLAY."
fi
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
[ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
echo "Quillet exited with code $status."
exit $status
