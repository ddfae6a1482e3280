#!/usr/bin/env bash
# Builds the tests of threaded code (the threaded timer, the credits panels, the animator and the
# windows that hold them) under ThreadSanitizer and runs them, with the thread-sanitizer canary
# that shows a race of our own would be reported. Every compiler warning is an error here.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages
dir="$ROOT/build-tsan"
cmake -S "$ROOT" -B "$dir" "${BUILD_OPTIONS[@]}" -DPC_SANITIZE=thread -DPC_WERROR=ON -DPC_BUILD_BENCH=OFF >/dev/null
# Only the programs of the tests labelled "threaded" are built.
mapfile -t targets < <(cd "$dir" && ctest -N -L threaded | sed -n 's/^ *Test *#[0-9]*: *\([A-Za-z0-9_]*\).*/\1/p' \
  | sed 's/_\(1\.5\|2\)x$//' | sort -u)
[ ${#targets[@]} -gt 0 ] || { step "No tests labelled threaded"; exit 1; }
cmake --build "$dir" -j"$JOBS" --target "${targets[@]}"
echo "== Tests of threaded code, ThreadSanitizer build"
cd "$dir" && ctest --output-on-failure -j"$JOBS" -L threaded
