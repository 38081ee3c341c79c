# Sourced by prepare-prefix.sh (SRC, QUILLET_EMU_HOME are set). Draws the
# demo's snapshots, titles, flyers, cabinets, marquees and icons next to the
# stand-in emulator, where the picture pane and the list look for them
# (MAME's default folders, no ini file). Needs python3-pil; without it the
# demo simply has no pictures.
if [ -d "$QUILLET_EMU_HOME" ] && [ ! -e "$QUILLET_EMU_HOME/snap.zip" ]; then
  /usr/bin/python3 "$SRC/tools/demo_pictures.py" "$QUILLET_EMU_HOME" ||
    echo "No demo pictures (python3-pil missing?)." >&2
fi
