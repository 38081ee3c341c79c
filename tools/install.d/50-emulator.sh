# Sourced by prepare-prefix.sh (WIN_BUILD, SRC, QUILLET_EMU_HOME are set).
# Installs the stand-in emulator as C:\MAME\mame.exe with the demo files it
# prints, and names it in the machine key through the QUILLET_MAME_* values.
#
# QUILLET_DEMO=today (make run QUILLET_DEMO=today) installs the demo set in
# today's format (tools/demo/today) instead, and makes the stand-in answer
# as today's emulator does (no -verifysets); any other value, or none, the
# era's set.
if [ -e "$WIN_BUILD/fakemame.exe" ]; then
  mkdir -p "$QUILLET_EMU_HOME"
  cp -f "$WIN_BUILD/fakemame.exe" "$QUILLET_EMU_HOME/mame.exe"
  demo_dir="$SRC/tools/demo"
  rm -f "$QUILLET_EMU_HOME/fakemame.today"
  if [ "${QUILLET_DEMO:-}" = today ]; then
    demo_dir="$SRC/tools/demo/today"
    : > "$QUILLET_EMU_HOME/fakemame.today"
  fi
  for demo in gamelist.xml verify.txt catver.ini; do
    if [ -e "$demo_dir/$demo" ]; then
      cp -f "$demo_dir/$demo" "$QUILLET_EMU_HOME/$demo"
    fi
  done
  export QUILLET_MAME_NAME='C:\MAME\mame.exe'
  export QUILLET_MAME_DIR='C:\MAME\'
  export QUILLET_MAME_CFG='C:\MAME\mame.ini'
fi
