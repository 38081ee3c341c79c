#!/usr/bin/env bash
# Runs the host detection and checks its answer against what this host
# really does: each edition it names must start its Wine, and a missing
# 32-bit edition must come from a host that cannot execute i386 programs.
set -uo pipefail
TOOLS=$(cd "$(dirname "$0")" && pwd)
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

answer=$(WINE_ARCHS= "$TOOLS/host-archs.sh") || fail "detection failed on a host that runs these tests"
echo "detected: $answer ($(WINE_ARCHS= "$TOOLS/host-archs.sh" -v))"
[ "$(uname -m)" = x86_64 ] && case " $answer " in *" 64 "*) ;; *) fail "an x86_64 host must run wine64" ;; esac

# Wine of each named edition, through the commands the scripts use.
for arch in $answer; do
  version=$(BUILD_DIR=/nonexistent bash -c ". '$TOOLS/env.sh' $arch && wine --version" 2>&1) ||
    fail "the $arch-bit Wine does not start: $version"
  echo "$arch-bit: $version"
done

# An i386 program of the system's own: Wine's 32-bit server where wine32 is
# installed, else the i386 dynamic loader.
i386_program=""
for p in /usr/lib/wine/wineserver32 /lib/ld-linux.so.2; do [ -x "$p" ] && { i386_program=$p; break; }; done
case " $answer " in
  *" 32 "*)
    [ -n "$i386_program" ] || fail "32-bit named, but no i386 program is installed to confirm it"
    [ -n "$i386_program" ] && { "$i386_program" --version >/dev/null 2>&1 || fail "32-bit named, but $i386_program does not execute"; } ;;
  *)
    if [ -n "$i386_program" ] && "$i386_program" --version >/dev/null 2>&1; then
      fail "32-bit left out, but $i386_program executes"
    fi ;;
esac

# The override: 64 alone on any x86_64 host; nonsense refused.
[ "$(WINE_ARCHS=64 "$TOOLS/host-archs.sh")" = 64 ] || fail "WINE_ARCHS=64 does not give 64"
WINE_ARCHS=16 "$TOOLS/host-archs.sh" >/dev/null 2>&1 && fail "WINE_ARCHS=16 accepted"

[ $failures = 0 ] && echo "host detection: ok"
exit $((failures > 0))
