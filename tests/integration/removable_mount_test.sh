#!/bin/bash
# Mounts a real ext2 image labelled CAMERA on a loop device that claims to be removable, and
# lets RemovableMountCheck find it, write the time file on it and see it go after umount.
# Everything happens in a private mount namespace, so the rest of the system sees nothing.
# Exit 77 (skipped) with the reason when this machine cannot do it.
set -u
check_program=${1:?usage: removable_mount_test.sh PATH/TO/RemovableMountCheck}
# shellcheck source=removable_card.sh
. "$(dirname "$0")/removable_card.sh"
prepare_removable_card

# shellcheck disable=SC2016 # expanded by the inner shell
unshare -m --propagation private bash -c '
    flag=/sys/block/${2#/dev/}/removable
    mount --bind "$3" "$flag" || { echo "SKIP: cannot bind-mount over $flag"; exit 77; }
    [ "$(cat "$flag")" = 1 ] || { echo "SKIP: $flag does not read 1 after the bind mount"; exit 77; }
    exec "$1" "$2" "$4"
' zv-mount-test "$check_program" "$loop" "$flag_file" "$card"
exit $?
