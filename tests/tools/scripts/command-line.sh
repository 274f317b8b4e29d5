#!/bin/sh
# The driver as a shell user meets it: where the script comes from, files
# that cannot be read or written, and whatever display the environment names.
#   command-line.sh <vesmor-script>
driver=$1
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
