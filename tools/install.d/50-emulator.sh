# Sourced by prepare-prefix.sh (WIN_BUILD, SRC, QUILLET_EMU_HOME are set).
# Installs the stand-in emulator as C:\MAME\mame.exe with the demo files it
# prints, and names it in the machine key through the QUILLET_MAME_* values.
if [ -e "$WIN_BUILD/fakemame.exe" ]; then
  mkdir -p "$QUILLET_EMU_HOME"
  cp -f "$WIN_BUILD/fakemame.exe" "$QUILLET_EMU_HOME/mame.exe"
  for demo in gamelist.xml verify.txt catver.ini; do
    if [ -e "$SRC/tools/demo/$demo" ]; then
      cp -f "$SRC/tools/demo/$demo" "$QUILLET_EMU_HOME/$demo"
    fi
  done
  export QUILLET_MAME_NAME='C:\MAME\mame.exe'
  export QUILLET_MAME_DIR='C:\MAME\'
  export QUILLET_MAME_CFG='C:\MAME\mame.ini'
fi
