#!/bin/sh
# Pictures written on a disk that fills up: one that cannot be written
# whole leaves no file behind, and the picture it was to replace keeps
# every byte. The disk is an 8 KiB tmpfs, mounted directly as root or else
# in a user and mount namespace of the test's own; where neither is
# allowed, a limit on the size of any file the driver writes does the same.
#   full-disk.sh <vesmor-script>
driver=$1
if [ -z "$VESMOR_OWN_NAMESPACE" ] && [ "$(id -u)" != 0 ] && unshare -rm true 2>/dev/null; then
    VESMOR_OWN_NAMESPACE=1 exec unshare -rm "$0" "$@"
fi
work=$(mktemp -d) || exit 1
disk=$work/disk
mkdir "$disk"
if mount -t tmpfs -o size=8k tmpfs "$disk" 2>/dev/null; then
    trap 'umount "$disk"; rm -rf "$work"' EXIT
    echo "an 8 KiB tmpfs"
else
    trap 'rm -rf "$work"' EXIT
    trap '' XFSZ  # a write past the limit then fails instead of killing the driver
    ulimit -f 8   # 4 or 8 KiB, as the shell counts: the map fits, the window does not
    echo "a file size limit"
fi
failed=0

# play WHAT SCRIPT STATUS: the script on standard input must end with STATUS
# and, when that is 1, the message for its last line.
play() {
    err=$(printf "$2" | "$driver" - 2>&1 >/dev/null)
    status=$?
    lines=$(printf "$2" | wc -l)
    case $3:$status:$err in
        0:0:|"1:1:vesmor-script: line $lines: cannot write '$disk/"*) ;;
        *) printf '%s: status %s (expected %s): %s\n' "$1" "$status" "$3" "$err"; failed=1 ;;
    esac
}
# only WHAT NAMES: the disk holds exactly these files.
only() {
    if [ "$(ls -A "$disk" | tr '\n' ' ')" != "$2" ]; then
        printf '%s: the disk holds: %s\n' "$1" "$(ls -A "$disk" | tr '\n' ' ')"
        failed=1
    fi
}

play "a window too large for the disk" "map 3\nstart\ntick 3\nwindow $disk/w.png\n" 1
only "after a picture that did not fit" ""

play "a map that fits" "map 3\nstart\ntick 3\nmap-image $disk/m.png\n" 0
cp "$disk/m.png" "$work/m.png"
play "a window over the map" "map 3\nstart\ntick 3\nwindow $disk/m.png\n" 1
cmp "$disk/m.png" "$work/m.png" || { echo "the map was not kept whole"; failed=1; }
only "after a picture that could not replace another" "m.png "
exit $failed
