#!/bin/sh
# A driver killed at a random moment while it writes three pictures over
# and over: each picture is then the old one or a new one, whole. Ctrl+C,
# a hang-up or a termination leaves nothing else in the folder; a SIGKILL
# may leave a partial picture, which the next run that writes there
# removes. Played on a file system with unnamed files and, through the
# preloaded library, as on one without.
#   killed.sh <vesmor-script> <no-unnamed-files.so>
driver=$1
refuse_unnamed=$2
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
out=$work/out
failed=0

{
    printf 'map 0\nstart\n'
    for i in 1 2 3 4 5 6; do
        printf 'tick\nwindow %s/w.png\nscene %s/s.png\nmap-image %s/m.png\n' "$out" "$out" "$out"
    done
} >"$work/pictures.vms"
printf 'map 0\n' >"$work/nothing.vms"

milliseconds() { echo $(($(date +%s%N) / 1000000)); }
# A run that plays to its end.
whole_run() {
    env ${preload:+LD_PRELOAD=$preload} "$driver" "$work/pictures.vms" ||
        { echo "$mode: a whole run failed"; failed=1; }
}
# pictures_whole WHAT: each picture ends as a PNG file ends.
pictures_whole() {
    for picture in w s m; do
        if [ "$(tail -c 8 "$out/$picture.png" | od -An -tx1 | tr -d ' \n')" != 49454e44ae426082 ]; then
            echo "$1: $picture.png is not whole ($(stat -c %s "$out/$picture.png" 2>&1))"
            failed=1
        fi
    done
}
# only_pictures WHAT: the folder holds the three pictures and nothing else.
only_pictures() {
    if [ "$(ls -A "$out" | tr '\n' ' ')" != "m.png s.png w.png " ]; then
        echo "$1: the folder holds $(ls -A "$out" | tr '\n' ' ')"
        failed=1
    fi
}
# kill_at_random SIGNAL: a run killed by SIGNAL between its start-up and
# near its end, as a first whole run took.
kill_at_random() {
    delay=$((ready + $(od -An -N2 -tu2 /dev/urandom) % ((took - ready) * 9 / 10 + 1)))
    env ${preload:+LD_PRELOAD=$preload} "$driver" "$work/pictures.vms" &
    sleep "$((delay / 1000)).$(printf %03d $((delay % 1000)))"
    kill -s "$1" $! 2>/dev/null
    { wait $!; } 2>/dev/null
    pictures_whole "$mode, $1 after $delay ms"
}

# rounds MODE TERMS KILLS
rounds() {
    mode=$1
    rm -rf "$out" && mkdir "$out"
    for warm in first second; do  # the second start-up, with the caches warm
        start=$(milliseconds)
        env ${preload:+LD_PRELOAD=$preload} "$driver" "$work/nothing.vms"
        ready=$(($(milliseconds) - start))
    done
    start=$(milliseconds)
    whole_run
    took=$(($(milliseconds) - start))
    only_pictures "$mode, a whole run"
    echo "$mode: start-up $ready ms, a whole run $took ms"
    i=0
    while [ $i -lt "$2" ]; do
        signal=$(echo HUP INT TERM | cut -d' ' -f$((i % 3 + 1)))
        kill_at_random $signal
        only_pictures "$mode, $signal after $delay ms"
        i=$((i + 1))
    done
    i=0
    while [ $i -lt "$3" ]; do
        kill_at_random KILL
        i=$((i + 1))
    done
    whole_run
    only_pictures "$mode, a whole run after $3 SIGKILLs"
}

preload=
rounds "unnamed files" 10 28
preload=$refuse_unnamed
rounds "no unnamed files" 4 8
exit $failed
