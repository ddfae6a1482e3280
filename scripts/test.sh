#!/usr/bin/env bash
# Installs what is missing, builds the program with its tests, and runs every test twice: in the
# normal build and under AddressSanitizer + UndefinedBehaviorSanitizer.
#
# The normal build has the options of run.sh, so that either script may follow the other in
# build/. The sanitizer build, benchmarks included, is also the warning check: there every
# compiler warning is an error.
#
# PC_TEST_BUILDS=normal runs the normal build's tests alone (the sanitizer build is skipped).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages
build "$BUILD_DIR"
status=0
echo "== Tests, normal build"
(cd "$BUILD_DIR" && ctest --output-on-failure -j"$JOBS") || status=1
if [ "${PC_TEST_BUILDS:-all}" != normal ]; then
  build "$ROOT/build-asan" -DPC_SANITIZE=address -DPC_WERROR=ON
  echo "== Tests, AddressSanitizer + UndefinedBehaviorSanitizer build"
  (cd "$ROOT/build-asan" && ctest --output-on-failure -j"$JOBS") || status=1
fi
exit $status
