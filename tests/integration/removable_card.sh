# Sourced by the tests that need a real removable card. prepare_removable_card TOOL... makes an
# ext2 image labelled CAMERA on a free loop device, a file holding 1 to bind-mount over the loop
# device's sysfs "removable" flag, and an empty mount point under /media; all of it is removed on
# exit. It sets work, loop, flag_file and card, or exits 77 (skipped) with the reason.

skip() {
    echo "SKIP: $*"
    exit 77
}

# shellcheck disable=SC2317 # run by the trap
remove_removable_card() {
    [ -n "$loop" ] && losetup -d "$loop"
    rm -rf "$work"
    rmdir "$card" "$media_root" 2>/dev/null
    [ "$made_media" -eq 1 ] && rmdir /media 2>/dev/null
}

prepare_removable_card() {
    local tool
    [ "$(id -u)" -eq 0 ] || skip "needs root (loop devices and mounts)"
    for tool in unshare losetup mke2fs mount umount truncate "$@"; do
        command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed"
    done
    [ -e /dev/loop-control ] || skip "no loop device support (/dev/loop-control missing)"
    unshare -m --propagation private true 2>/dev/null || skip "cannot make a private mount namespace"

    work=$(mktemp -d "${TMPDIR:-/tmp}/zv-card.XXXXXX") || skip "cannot make a temporary folder"
    chmod 700 "$work"
    media_root=/media/zv-card-$$
    card=$media_root/CAMERA
    loop=""
    made_media=0
    trap remove_removable_card EXIT

    truncate -s 4M "$work/card.img" || skip "cannot create the image"
    mke2fs -q -t ext2 -L CAMERA "$work/card.img" || skip "mke2fs failed"
    loop=$(losetup -f --show "$work/card.img" 2>/dev/null) || {
        loop=""
        skip "no free loop device"
    }
    flag_file=$work/removable
    echo 1 >"$flag_file"
    [ -d /media ] || { mkdir /media && made_media=1; }
    mkdir -p "$card" || skip "cannot create $card"
}
