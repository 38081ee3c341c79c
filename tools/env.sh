# Sourced by the make targets and scripts: the Wine prefix, ODBC set-up and
# build folder of one Windows edition.
#   . tools/env.sh [32|64]
# BUILD_DIR must be set (absolute). Without an argument the edition is
# QUILLET_ARCH, or else the first one the host's Wine can run (the 32-bit
# product where the host executes i386 code, the 64-bit edition elsewhere).
export BUILD_DIR
QUILLET_TOOLS=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
QUILLET_ARCH=${1:-${QUILLET_ARCH:-}}
if [ -z "$QUILLET_ARCH" ]; then
  QUILLET_ARCH=$("$QUILLET_TOOLS/host-archs.sh") || return 1
  QUILLET_ARCH=${QUILLET_ARCH%% *}
fi
export QUILLET_ARCH
export WIN_BUILD="$BUILD_DIR/win$QUILLET_ARCH"
export WINEPREFIX="$BUILD_DIR/wineprefix$QUILLET_ARCH"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export ODBCSYSINI="$BUILD_DIR/odbc$QUILLET_ARCH"
if [ "$QUILLET_ARCH" = 64 ]; then
  # Debian's wine, wineboot, winepath and regedit commands choose wine32
  # whenever it is installed; these wrappers run the 64-bit loader and server.
  export WINEARCH=win64
  case ":$PATH:" in *":$QUILLET_TOOLS/wine64:"*) ;; *) export PATH="$QUILLET_TOOLS/wine64:$PATH" ;; esac
  export WINELOADER=/usr/lib/wine/wine64
  export WINESERVER=/usr/lib/wine/wineserver64
else
  export WINEARCH=win32
  export PATH=${PATH//"$QUILLET_TOOLS/wine64:"/}
  unset WINELOADER WINESERVER
fi
# The installed program: start directory C:\Quillet, emulator C:\MAME.
export QUILLET_HOME="$WINEPREFIX/drive_c/Quillet"
export QUILLET_EMU_HOME="$WINEPREFIX/drive_c/MAME"
