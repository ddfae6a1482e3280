#!/usr/bin/env bash
# Installs what is missing, builds the program with its tests, and runs every test twice: in the
# normal build and under AddressSanitizer + UndefinedBehaviorSanitizer.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages
build "$BUILD_DIR"
build "$ROOT/build-asan" -DPC_SANITIZE=address -DPC_BUILD_BENCH=OFF

status=0
echo "== Tests, normal build"
(cd "$ROOT/build" && ctest --output-on-failure -j"$JOBS") || status=1
echo "== Tests, AddressSanitizer + UndefinedBehaviorSanitizer build"
(cd "$ROOT/build-asan" && ctest --output-on-failure -j"$JOBS") || status=1
exit $status
