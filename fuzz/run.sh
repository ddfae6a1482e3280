#!/bin/sh
# Builds a GIF fuzz target with ASan+UBSan and runs it for a bounded time.
#   fuzz/run.sh [seconds] [extra libFuzzer flags...]
# PC_FUZZ_TARGET picks the target: fuzz_gifimage (the default: the whole reader on arbitrary files)
# or fuzz_lzwdecoder (the LZW decoder against a plain string-table decoder).
# Crashing inputs land in fuzz/crashes/; keep each one as a regression test in tests/gif/fuzz-regressions.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=${PC_FUZZ_BUILD:-$root/build-gif-fuzz}
target=${PC_FUZZ_TARGET:-fuzz_gifimage}
seconds=${1:-600}
[ $# -gt 0 ] && shift
cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++-14 -DPC_BUILD_FUZZ=ON -DPC_SANITIZE=address \
  -DPC_BUILD_BENCH=OFF -DBUILD_TESTING=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target "$target" -j2
mkdir -p "$here/crashes"
if [ "$target" = fuzz_gifimage ]; then
  corpus=$build/corpus
  mkdir -p "$corpus"
  cp -n "$here"/seeds/* "$corpus"/ 2>/dev/null || true
  cp -n "$root"/assets/logo.gif "$corpus"/ 2>/dev/null || true
  cp -n "$root"/tests/gif/fuzz-regressions/* "$corpus"/ 2>/dev/null || true
else
  corpus=$build/corpus-$target
  mkdir -p "$corpus"
fi
QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=allocator_may_return_null=1:detect_leaks=1:quarantine_size_mb=16 \
  nice -n 10 "$build/fuzz/$target" -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=${PC_FUZZ_MAX_LEN:-8192} \
  -artifact_prefix="$here/crashes/" -print_final_stats=1 "$@" "$corpus"
