#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages
build_target_quietly "$BUILD_DIR" periyodik-cetvel
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display to show the window on: start this from a desktop session (or under xvfb-run)." >&2
  exit 1
fi
step "Starting the program"
exec "$BUILD_DIR/app/periyodik-cetvel"
