#!/usr/bin/env bash
# Builds the tests of the program's own threading, the threaded timer and the animator, under
# ThreadSanitizer and runs them, with the canary that shows a race of our own between two event
# loops would be reported. Every compiler warning is an error here. (Tests whose threads hand
# work over through Qt's posted events or shared images are left out: Qt's own code is not
# instrumented, so those hand-offs show as races.)
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages
dir="$ROOT/build-tsan"
cmake -S "$ROOT" -B "$dir" "${BUILD_OPTIONS[@]}" -DPC_SANITIZE=thread -DPC_WERROR=ON -DPC_BUILD_BENCH=OFF >/dev/null
# Only the programs of the tests labelled "tsan" are built.
mapfile -t targets < <(cd "$dir" && ctest -N -L tsan | sed -n 's/^ *Test *#[0-9]*: *\([A-Za-z0-9_]*\).*/\1/p' \
  | sed 's/_\(1\.5\|2\)x$//' | sort -u)
[ ${#targets[@]} -gt 0 ] || { step "No tests labelled tsan"; exit 1; }
cmake --build "$dir" -j"$JOBS" --target "${targets[@]}"
echo "== Threaded timer and animator, ThreadSanitizer build"
cd "$dir" && ctest --output-on-failure -j"$JOBS" -L tsan
