#!/bin/sh
# The driver as a shell user meets it: its options, where the script comes
# from, lines of any length, files that cannot be read or written, names
# in any bytes, and whatever display the environment names.
#   command-line.sh <vesmor-script> <version>
driver=$1
version=$2
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
failed=0

# run COMMAND...: keeps its status, standard output and standard error.
run() {
    out=$("$@" 2>"$work/err")
    status=$?
    err=$(cat "$work/err")
}
# expect WHAT STATUS STDERR [STDOUT-START]
expect() {
    case $out in "$4"*) begins=yes ;; *) begins=no ;; esac
    if [ "$status" != "$2" ] || [ "$err" != "$3" ] || [ $begins = no ]; then
        printf '%s: status %s (expected %s)\n--- standard error:\n%s\n--- standard output:\n%s\n' \
            "$1" "$status" "$2" "$err" "$out"
        failed=1
    fi
}

printf 'map 0\nslot 0\nstart\nstate\n' >"$work/play.vms"
started='maze=0 slot=0 row=28 col=29 heading=1 active=1 '
usage='usage: vesmor-script [--help | --version] [SCRIPT]'

run "$driver" --help
expect "--help" 0 "" "$usage"
run "$driver" --version
expect "--version" 0 "" "vesmor-script (Vesmor) $version"
run "$driver" --map
expect "an unknown option" 2 "$usage"
run "$driver" "$work/play.vms" "$work/play.vms"
expect "two scripts" 2 "$usage"

# A line is read whole up to 4,096 bytes; a longer one stops the script
# there, and an endless one (no newline ever) does not make the driver grow.
long=$(head -c 4095 /dev/zero | tr '\0' x)
printf 'map 0\n#%s\nslot 0\nstart\nstate\n' "$long" >"$work/long.vms"
run "$driver" "$work/long.vms"
expect "a line of 4,096 bytes" 0 "" "$started"
printf 'map 0\n#%sx\nstate\n' "$long" >"$work/long.vms"
run "$driver" "$work/long.vms"
expect "a line of 4,097 bytes" 2 "vesmor-script: line 2: longer than 4096 bytes"
printf 'map 0\r\n#%s\r\nslot 0\r\nstart\r\nstate\r\n' "$long" >"$work/long.vms"
run "$driver" "$work/long.vms"
expect "a line of 4,096 bytes and CR LF" 0 "" "$started"
run timeout 60 "$driver" /dev/zero
expect "an endless line" 2 "vesmor-script: line 1: longer than 4096 bytes"

# A picture is written under exactly the bytes it is given, UTF-8 or not.
name=$(printf 'a\377b\342\202.png')
printf 'map 0\nwindow %s\n' "$work/$name" >"$work/name.vms"
run "$driver" "$work/name.vms"
expect "a file name that is not UTF-8" 0 ""
[ -f "$work/$name" ] || { echo "a file name that is not UTF-8: written as: $(ls "$work" | grep png)"; failed=1; }

# A link in a picture's place, live or dangling, is followed: the file it
# names takes the picture and the link stays.
mkdir "$work/links"
echo old >"$work/links/old.png"
ln -s old.png "$work/links/live.png"
ln -s new.png "$work/links/dangling.png"
printf 'map 0\nscene %s\nscene %s\n' "$work/links/live.png" "$work/links/dangling.png" >"$work/links.vms"
run "$driver" "$work/links.vms"
expect "pictures through links" 0 ""
if [ ! -L "$work/links/live.png" ] || [ ! -L "$work/links/dangling.png" ] ||
   [ "$(head -c 4 "$work/links/old.png" | tail -c 3)" != PNG ] || ! cmp -s "$work/links/old.png" "$work/links/new.png"; then
    echo "pictures through links: the folder holds: $(ls -l "$work/links")"
    failed=1
fi

run "$driver" "$work"
expect "a directory as the script" 1 "vesmor-script: cannot read '$work': Is a directory"
run sh -c '"$0" - <"$1"' "$driver" "$work"
expect "a directory as standard input" 1 "vesmor-script: cannot read '-': Is a directory"
run sh -c '"$0" - <"$1"' "$driver" "$work/play.vms"
expect "- as the script" 0 "" "$started"

for command in scene map-image window; do
    printf 'map 0\nstart\ntick\n%s /dev/full\nstate\n' $command >"$work/full.vms"
    run "$driver" "$work/full.vms"
    expect "$command on a full disk" 1 "vesmor-script: line 4: cannot write '/dev/full': No space left on device"
done
run sh -c '"$0" "$1" >/dev/full' "$driver" "$work/play.vms"
expect "standard output on a full disk" 1 "vesmor-script: line 4: cannot write standard output"

for platform in xcb wayland; do
    run env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=$platform "$driver" "$work/play.vms"
    expect "QT_QPA_PLATFORM=$platform with no display" 0 "" "$started"
done
exit $failed
