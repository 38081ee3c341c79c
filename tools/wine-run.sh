#!/usr/bin/env bash
# Runs a Windows program of one edition's build under the Wine that runs it,
# in that edition's prefix: CMake's emulator for the tests of build/win32
# and build/win64.
# usage: wine-run.sh BUILD_DIR 32|64 PROGRAM [ARGS...]
set -euo pipefail
BUILD_DIR=$1
. "$(dirname "$0")/env.sh" "$2"
shift 2
exec wine "$@"
