# Sourced by prepare-prefix.sh (SRC, QUILLET_EMU_HOME are set). Puts the
# demo's history.dat and mameinfo.dat next to the stand-in emulator, where
# the Game menu's History and MAMEInfo commands look for them.
if [ -d "$QUILLET_EMU_HOME" ]; then
  for doc in history.dat mameinfo.dat; do
    if [ -e "$SRC/tools/demo/$doc" ]; then
      cp -f "$SRC/tools/demo/$doc" "$QUILLET_EMU_HOME/$doc"
    fi
  done
fi
