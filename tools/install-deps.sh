#!/usr/bin/env bash
# Installs the Debian packages Quillet's build, tests and demo need: both
# cross compilers always (the 32-bit program is built on every host), the
# 64-bit Wine and ODBC driver always, and the 32-bit Wine and driver only
# where the host can execute i386 code (tools/host-archs.sh). Quick and
# silent when everything is already there.
set -euo pipefail
TOOLS=$(cd "$(dirname "$0")" && pwd)

# Wine runs only where the kernel executes its loader; stop here, naming
# what is missing, on a host that runs neither edition.
archs=$(WINE_ARCHS= "$TOOLS/host-archs.sh")

packages=(
  g++-mingw-w64-i686 binutils-mingw-w64-i686 mingw-w64-i686-dev
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  wine wine64 xvfb xauth x11-utils xdotool imagemagick
  unixodbc libsqliteodbc sqlite3 zip unzip
  doctest-dev cmake make g++ clang libclang-rt-14-dev python3
  libpugixml-dev libexpat1-dev
  libz-mingw-w64-dev zlib1g-dev python3-pil
  nsis dpkg-dev tcl
)
i386=0
case " $archs " in *" 32 "*) i386=1 ;; esac
[ $i386 = 1 ] && packages+=(wine32:i386 libodbc2:i386 libsqliteodbc:i386)

# The installers ship an SQLite ODBC driver built from Debian's source
# packages (tools/build-odbc-driver.sh): apt-get source needs deb-src lines
# with the addresses of the machine's own package sources.
src_list=/etc/apt/sources.list.d/quillet-deb-src.sources
need_update=0
if ! grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/ 2>/dev/null; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO=sudo
  {
    for f in /etc/apt/sources.list.d/*.sources; do
      [ -e "$f" ] || continue
      grep -q 'debian' "$f" && sed 's/^Types:.*/Types: deb-src/' "$f" && echo
    done
  } | $SUDO tee "$src_list" >/dev/null
  # One-line format sources as well.
  if [ -f /etc/apt/sources.list ]; then
    sed -n 's/^deb \(.*debian.*\)/deb-src \1/p' /etc/apt/sources.list | $SUDO tee "${src_list%.sources}.list" >/dev/null
  fi
  need_update=1
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  if [ $need_update = 1 ]; then
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO=sudo
    $SUDO apt-get update -qq
  fi
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
if [ $i386 = 1 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
