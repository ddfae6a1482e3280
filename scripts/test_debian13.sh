#!/usr/bin/env bash
# Runs the README's test command as a new user on Debian 13 would: in a fresh Debian 13 ("trixie")
# root made with debootstrap from Debian's package archive, with /proc, /sys and /dev bound, the
# repository cloned inside it, and everything else installed there by the project's own scripts.
# Needs root (debootstrap, chroot and the bind mounts).
#
#   scripts/test_debian13.sh [-- test.sh's environment, e.g. PC_TEST_BUILDS=normal]
#
# PC_DEBIAN13_ROOT   the root's folder (default /var/tmp/periyodik-cetvel-trixie); made anew on
#                    every run unless PC_DEBIAN13_KEEP=1 and it is complete already
# PC_DEBIAN_MIRROR   the archive debootstrap reads (default http://deb.debian.org/debian)
# Other arguments of the form NAME=VALUE are passed to the test command inside the root.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
TARGET="${PC_DEBIAN13_ROOT:-/var/tmp/periyodik-cetvel-trixie}"
MIRROR="${PC_DEBIAN_MIRROR:-http://deb.debian.org/debian}"
LOG_DIR="${TMPDIR:-/tmp}/periyodik-cetvel-$(id -u)"
mkdir -p "$LOG_DIR"

step() { printf '%s\n' "$*" >&2; }

if [ "$(id -u)" -ne 0 ]; then
  step "This makes a Debian root with debootstrap and enters it with chroot: run it as root."
  exit 1
fi

passed_env=()
for arg in "$@"; do
  [ "$arg" = "--" ] && continue
  if [[ "$arg" =~ ^[A-Za-z_][A-Za-z0-9_]*= ]]; then passed_env+=("$arg"); else
    step "Unknown argument: $arg (only NAME=VALUE pairs for the test command)"; exit 2
  fi
done
# What CI and the caller set for the test command itself.
for name in CI PC_TEST_SYSTEM_INSTALL PC_TEST_BUILDS; do
  [ -n "${!name:-}" ] && passed_env+=("$name=${!name}")
done

if ! command -v debootstrap >/dev/null; then
  step "Installing debootstrap"
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends debootstrap \
    >"$LOG_DIR/debootstrap-install.log" 2>&1 || {
    apt-get update >>"$LOG_DIR/debootstrap-install.log" 2>&1
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends debootstrap \
      >>"$LOG_DIR/debootstrap-install.log" 2>&1 || { cat "$LOG_DIR/debootstrap-install.log" >&2; exit 1; }
  }
fi

mounted=()
unmount_all() {
  local i
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    umount -R -l "${mounted[i]}" 2>/dev/null || true
  done
}
trap unmount_all EXIT

# A root that a former run left mounted (it was stopped) is unmounted before it is removed.
release_old_root() {
  local m
  for m in proc sys dev src; do
    mountpoint -q "$TARGET/$m" 2>/dev/null && umount -R -l "$TARGET/$m"
  done
  return 0
}

if [ "${PC_DEBIAN13_KEEP:-0}" = 1 ] && [ -f "$TARGET/.complete" ]; then
  step "Reusing the Debian 13 root in $TARGET"
else
  release_old_root
  rm -rf --one-file-system "$TARGET"
  step "Making a Debian 13 root in $TARGET (debootstrap --variant=minbase trixie)"
  start=$SECONDS
  if ! debootstrap --variant=minbase trixie "$TARGET" "$MIRROR" >"$LOG_DIR/debootstrap.log" 2>&1; then
    step "debootstrap failed; its log ($LOG_DIR/debootstrap.log):"
    tail -n 40 "$LOG_DIR/debootstrap.log" >&2
    exit 1
  fi
  touch "$TARGET/.complete"
  step "  made in $((SECONDS - start)) s"
fi

release_old_root
mkdir -p "$TARGET/src"
mount -t proc proc "$TARGET/proc";   mounted+=("$TARGET/proc")
mount --rbind /sys "$TARGET/sys";    mounted+=("$TARGET/sys")
mount --rbind /dev "$TARGET/dev";    mounted+=("$TARGET/dev")
# The repository, read-only, to clone from.
mount --bind "$ROOT" "$TARGET/src";  mounted+=("$TARGET/src")
mount -o remount,bind,ro "$TARGET/src"
cp -L /etc/resolv.conf "$TARGET/etc/resolv.conf" 2>/dev/null || true

in_root() {
  chroot "$TARGET" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
}

step "Installing git in the root to clone the repository"
if ! in_root sh -c 'apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends git ca-certificates' \
    >"$LOG_DIR/debian13-git.log" 2>&1; then
  cat "$LOG_DIR/debian13-git.log" >&2
  exit 1
fi
in_root sh -c 'rm -rf /root/periyodik-cetvel && git -c safe.directory="*" clone -q /src /root/periyodik-cetvel'
step "Debian 13: $(in_root sh -c '. /etc/os-release; echo "$PRETTY_NAME"'), at commit $(in_root git -C /root/periyodik-cetvel rev-parse --short HEAD)"

start=$SECONDS
status=0
in_root "${passed_env[@]}" sh -c 'cd /root/periyodik-cetvel && ./scripts/test.sh' || status=$?
step "Debian 13: the test command ended with $status after $((SECONDS - start)) s"
exit $status
