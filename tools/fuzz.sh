#!/usr/bin/env bash
# Runs each scanner fuzzer for a while on its corpus.
# Usage: tools/fuzz.sh SANITIZE_BUILD_DIR SECONDS
# The corpus each run grows stays in SANITIZE_BUILD_DIR/fuzz/corpus_<name>;
# a crash leaves its input as SANITIZE_BUILD_DIR/fuzz/crash-<name>-*.
set -euo pipefail

if [ $# -ne 2 ]; then
  echo "usage: $0 SANITIZE_BUILD_DIR SECONDS" >&2
  exit 2
fi
build=$(cd "$1" && pwd)
seconds=$2
source_dir=$(cd "$(dirname "$0")/.." && pwd)

status=0
for name in game_list verify category options history info; do
  case $name in
    options) seeds="$source_dir/tests/fixtures/options" ;;
    history|info) seeds="$source_dir/tests/fixtures/documents" ;;
    *) seeds="$source_dir/tests/fixtures/catalogue" ;;
  esac
  fuzzer="$build/fuzz/fuzz_$name"
  if [ ! -x "$fuzzer" ]; then
    echo "missing $fuzzer (build with QUILLET_FUZZ=ON)" >&2
    exit 1
  fi
  corpus="$build/fuzz/corpus_$name"
  mkdir -p "$corpus"
  echo "== fuzz_$name for ${seconds}s"
  if ! "$fuzzer" -max_total_time="$seconds" -print_final_stats=1 \
      -dict="$source_dir/fuzz/$name.dict" -artifact_prefix="$build/fuzz/crash-$name-" \
      "$corpus" "$seeds" 2>"$build/fuzz/fuzz_$name.log"; then
    echo "fuzz_$name FAILED; see $build/fuzz/fuzz_$name.log" >&2
    tail -30 "$build/fuzz/fuzz_$name.log" >&2
    status=1
  else
    grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$build/fuzz/fuzz_$name.log" || true
  fi
done
exit $status
