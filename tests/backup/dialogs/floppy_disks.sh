#!/usr/bin/env bash
# Runs the tests that need a real floppy disk in drive A: of the Wine prefix:
# a 1,474,560-byte tmpfs mounted where the prefix's a: points, so that the
# program sees a removable drive with its real free space. The disk is always
# unmounted afterwards, also when a test fails or the run is interrupted.
#
#   floppy_disks.sh TEST_EXECUTABLE [GTEST ARGUMENTS...]
#
# Exits 77 (skipped) with a message where no disk can be mounted.
set -u
test_executable=$1
shift
skip() {
  echo "floppy disk tests skipped: $*"
  exit 77
}

[ "$(id -u)" = 0 ] || skip "mounting the floppy disk needs root (run the tests as root)"
drive_a="${WINEPREFIX:-}/dosdevices/a:"
[ -n "${WINEPREFIX:-}" ] && [ -L "$drive_a" ] || skip "the Wine prefix has no drive A: (./pelmo setup makes one)"
mount_point="$(readlink -f "$drive_a")"
mkdir -p "$mount_point"

unmount() { mountpoint -q "$mount_point" && { umount "$mount_point" 2>/dev/null || umount -l "$mount_point"; }; }
unmount  # left over from a run that was killed
mount -t tmpfs -o size=1474560,mode=0777 pelmo-floppy "$mount_point" || skip "mounting a tmpfs on $mount_point failed"
trap unmount EXIT
trap 'exit 130' INT TERM HUP

PELMO_FLOPPY_DRIVE='A:\' "${PELMO_WINE:-/usr/lib/wine/wine64}" "$test_executable" --gtest_filter='FloppyDisk*' "$@"
