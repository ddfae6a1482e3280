#!/usr/bin/env bash
# Builds the tests of the program's own threading under ThreadSanitizer and runs them: the threaded
# timer, the credits panel, the animator, the about dialog and main window that hold them, and the
# whole program's start, with the canary that shows a race of our own between two event loops would
# be reported. Every compiler warning is an error here. (Tests that start no thread of our own are
# left out: the only threads there are the pool on which Qt's raster engine fills large areas, whose
# hand-offs happen inside Qt's own, uninstrumented code.)
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages
dir="$ROOT/build-tsan"
cmake -S "$ROOT" -B "$dir" "${BUILD_OPTIONS[@]}" -DPC_SANITIZE=thread -DPC_WERROR=ON -DPC_BUILD_BENCH=OFF >/dev/null
# Only the programs of the tests labelled "tsan" are built.
mapfile -t targets < <(cd "$dir" && ctest -N -L tsan | sed -n 's/^ *Test *#[0-9]*: *\([A-Za-z0-9_]*\).*/\1/p' \
  | sed 's/_\(1\.5\|2\)x$//' | sort -u)
[ ${#targets[@]} -gt 0 ] || { step "No tests labelled tsan"; exit 1; }
cmake --build "$dir" -j"$JOBS" --target "${targets[@]}"
echo "== The program's threaded parts, ThreadSanitizer build"
cd "$dir" && ctest --output-on-failure -j"$JOBS" -L tsan
