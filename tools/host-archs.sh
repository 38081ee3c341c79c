#!/usr/bin/env bash
# Which Windows editions this host's Wine can run: prints "32 64", "64" or
# "32" on standard output. With -v it prints one sentence saying which and
# why instead. Exits 1, naming what is missing, when it can run neither.
#
# The test is to execute a tiny i386 Linux program of our own: some kernels
# are built without 32-bit support, and there wine32, its server and every
# i386 library fail with "Exec format error" even when installed. The probe
# needs no i386 package, so it answers the same before and after set-up.
# WINE_ARCHS (e.g. WINE_ARCHS=64) overrides the answer, so a host that can
# run both can try exactly what a 64-bit-only host does.
set -euo pipefail

verbose=0
[ "${1:-}" = "-v" ] && verbose=1

# An ELF32 i386 executable of 93 bytes: one loadable segment whose code is
# exit(0) through int 0x80.
can_exec_i386() {
  local probe
  probe=$(mktemp "${TMPDIR:-/tmp}/i386-probe.XXXXXX")
  printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' >"$probe"
  printf '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00' >>"$probe"
  printf '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00' >>"$probe"
  printf '\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08' >>"$probe"
  printf '\x00\x80\x04\x08\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00' >>"$probe"
  printf '\x00\x10\x00\x00\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80' >>"$probe"
  chmod +x "$probe"
  local status=0
  "$probe" 2>/dev/null || status=$?
  rm -f "$probe"
  return $status
}

machine=$(uname -m)
can64=0; can32=0
[ "$machine" = x86_64 ] && can64=1
if [ "$machine" = x86_64 ] || [ "$machine" = i686 ] || [ "$machine" = i386 ]; then
  can_exec_i386 && can32=1
fi

if [ -n "${WINE_ARCHS:-}" ]; then
  archs=""
  for a in $WINE_ARCHS; do
    case "$a" in
      32) [ $can32 = 1 ] || { echo "WINE_ARCHS names 32, but this host cannot execute i386 programs, so wine32 cannot run." >&2; exit 1; } ;;
      64) [ $can64 = 1 ] || { echo "WINE_ARCHS names 64, but this host ($machine) cannot execute x86_64 programs, so wine64 cannot run." >&2; exit 1; } ;;
      *) echo "WINE_ARCHS holds '$a': use 32, 64 or \"32 64\"." >&2; exit 1 ;;
    esac
    archs="$archs $a"
  done
  archs=${archs# }
  why="as WINE_ARCHS=\"$WINE_ARCHS\" asks"
elif [ $can32 = 1 ] && [ $can64 = 1 ]; then
  archs="32 64"; why="this host executes both i386 and x86_64 programs"
elif [ $can64 = 1 ]; then
  archs="64"; why="this host cannot execute i386 (32-bit) programs, so wine32 cannot run here"
elif [ $can32 = 1 ]; then
  archs="32"; why="this host executes i386 but not x86_64 programs"
else
  echo "This host ($machine) executes neither i386 nor x86_64 Linux programs: Wine (wine32 or wine64) cannot run here, so the Windows builds cannot be tested or started." >&2
  exit 1
fi

if [ $verbose = 1 ]; then
  case "$archs" in
    "32 64") echo "Testing the 32-bit build under wine32 and the 64-bit build under wine64: $why." ;;
    64) echo "Testing the 64-bit build under wine64 only: $why." ;;
    32) echo "Testing the 32-bit build under wine32 only: $why." ;;
  esac
else
  echo "$archs"
fi
