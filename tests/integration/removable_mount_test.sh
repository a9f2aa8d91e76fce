#!/bin/bash
# Mounts a real ext2 image labelled CAMERA on a loop device that claims to be removable, and
# lets RemovableMountCheck find it, write the time file on it and see it go after umount.
# Everything happens in a private mount namespace, so the rest of the system sees nothing.
# Exit 77 (skipped) with the reason when this machine cannot do it.
set -u

check_program=${1:?usage: removable_mount_test.sh PATH/TO/RemovableMountCheck}

skip() {
    echo "SKIP: $*"
    exit 77
}

[ "$(id -u)" -eq 0 ] || skip "needs root (loop devices and mounts)"
for tool in unshare losetup mke2fs mount umount truncate; do
    command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed"
done
[ -e /dev/loop-control ] || skip "no loop device support (/dev/loop-control missing)"
unshare -m --propagation private true 2>/dev/null || skip "cannot make a private mount namespace"

work=$(mktemp -d "${TMPDIR:-/tmp}/zv-mount-test.XXXXXX") || skip "cannot make a temporary folder"
media_root=/media/zv-test-$$
loop=""
made_media=0

# The mounts live in the namespace and vanish with it; what is left is outside.
# shellcheck disable=SC2317 # run by the trap
cleanup() {
    [ -n "$loop" ] && losetup -d "$loop"
    rm -rf "$work"
    rmdir "$media_root/CAMERA" "$media_root" 2>/dev/null
    [ "$made_media" -eq 1 ] && rmdir /media 2>/dev/null
}
trap cleanup EXIT

truncate -s 4M "$work/card.img" || skip "cannot create the image"
mke2fs -q -t ext2 -L CAMERA "$work/card.img" || skip "mke2fs failed"
loop=$(losetup -f --show "$work/card.img" 2>/dev/null) || { loop=""; skip "no free loop device"; }
echo 1 >"$work/removable"
[ -d /media ] || { mkdir /media && made_media=1; }
mkdir -p "$media_root/CAMERA" || skip "cannot create $media_root/CAMERA"

# shellcheck disable=SC2016 # expanded by the inner shell
unshare -m --propagation private bash -c '
    flag=/sys/block/${2#/dev/}/removable
    mount --bind "$3" "$flag" || { echo "SKIP: cannot bind-mount over $flag"; exit 77; }
    [ "$(cat "$flag")" = 1 ] || { echo "SKIP: $flag does not read 1 after the bind mount"; exit 77; }
    exec "$1" "$2" "$4"
' zv-mount-test "$check_program" "$loop" "$work/removable" "$media_root/CAMERA"
exit $?
