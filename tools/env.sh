# Sourced by the make targets: the Wine prefix and ODBC set-up of a build.
# BUILD_DIR must be set (absolute).
export BUILD_DIR
export WINEARCH=win32
export WINEPREFIX="$BUILD_DIR/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export ODBCSYSINI="$BUILD_DIR/odbc"
# The installed program: start directory C:\Quillet, emulator C:\MAME.
export QUILLET_HOME="$WINEPREFIX/drive_c/Quillet"
export QUILLET_EMU_HOME="$WINEPREFIX/drive_c/MAME"
