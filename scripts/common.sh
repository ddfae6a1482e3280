# Shared by the scripts: installs what the program needs on Debian 12 or 13 and builds it.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
JOBS="$(nproc 2>/dev/null || echo 2)"

# Debian packages: the toolchain, Qt and the X11 client library for building, the fonts the
# windows are drawn with, the X11 tools the end-to-end tests drive the real program with,
# valgrind for the leak run, and Debian's package checker for the package test.
PACKAGES=(
  cmake make g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev libxcb1-dev
  fonts-liberation2 fonts-dejavu-core
  xvfb xauth openbox xdotool wmctrl x11-utils imagemagick
  dbus dbus-x11 at-spi2-core python3 python3-pyatspi
  libgif-dev libbenchmark-dev
  dpkg-dev desktop-file-utils appstream lintian
  valgrind
)

# Both scripts build the program in the same folder with the same options, so that one never
# undoes the other's configuration: run.sh builds only the program, test.sh everything. A warning
# never stops this build (a folder configured otherwise before is set back).
BUILD_DIR="$ROOT/build"
BUILD_OPTIONS=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DPC_WERROR=OFF)

# Logs of the steps that print only their outcome; shown when a step fails.
LOG_DIR="${TMPDIR:-/tmp}/periyodik-cetvel-$(id -u)"
mkdir -p "$LOG_DIR"

step() { printf '%s\n' "$*" >&2; }

# Runs a command with its output in a log file; on failure prints the log and stops.
quietly() {
  local log="$1"; shift
  if ! "$@" >"$log" 2>&1; then
    step "Failed: $*"
    cat "$log" >&2
    exit 1
  fi
}

install_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  step "Installing ${#missing[@]} Debian packages: ${missing[*]}"
  quietly "$LOG_DIR/apt-update.log" "${sudo[@]}" apt-get update
  quietly "$LOG_DIR/apt-install.log" "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y --no-install-recommends "${missing[@]}"
}

# build <dir> [cmake options...]: configures and builds everything, with the whole build log.
build() {
  local dir="$1"; shift
  cmake -S "$ROOT" -B "$dir" "${BUILD_OPTIONS[@]}" "$@" >/dev/null
  cmake --build "$dir" -j"$JOBS"
}

# build_target_quietly <dir> <target>: one line that follows the build's progress; the build log
# only when it fails.
build_target_quietly() {
  local dir="$1" target="$2" log="$LOG_DIR/build.log"
  quietly "$LOG_DIR/configure.log" cmake -S "$ROOT" -B "$dir" "${BUILD_OPTIONS[@]}"
  local status=0 line percent=""
  {
    cmake --build "$dir" -j"$JOBS" --target "$target" 2>&1 || echo "build failed: $?"
  } | tee "$log" | while IFS= read -r line; do
    if [[ "$line" =~ ^\[\ *([0-9]+)%\] ]] && [ "${BASH_REMATCH[1]}" != "$percent" ]; then
      percent="${BASH_REMATCH[1]}"
      if [ -t 2 ]; then printf '\rBuilding the program: %s%%' "$percent" >&2; fi
    fi
  done
  [ -t 2 ] && printf '\r\033[K' >&2
  if grep -q '^build failed: ' "$log"; then status=1; fi
  if [ $status -ne 0 ]; then
    step "The build failed; its log ($log):"
    cat "$log" >&2
    exit 1
  fi
  step "Building the program: done"
}
