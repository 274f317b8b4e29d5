#!/usr/bin/env bash
# The step's beep is heard: the real game under Xvfb, with a sound server
# of its own (PulseAudio, playing into a null sink whose sound is recorded).
# A forward click before Start is silent, one during a game sounds the
# desktop's bell; with the server gone, a beep says nothing on standard
# error and the game plays on.
# Usage: beep-under-pulseaudio.sh VESMOR_BINARY
set -euo pipefail
source "$(dirname "$0")/x11-helpers.sh"
binary=$1

if ! command -v pulseaudio >/dev/null 2>&1; then
    echo "SKIP: no pulseaudio to start (a PipeWire desktop keeps its own sound server)"
    exit 77
fi
if [[ -z "${VESMOR_UNDER_XVFB:-}" ]]; then
    export VESMOR_UNDER_XVFB=1
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR
XDG_RUNTIME_DIR=$(mktemp -d)  # private: the server's socket goes here
chmod 700 "$XDG_RUNTIME_DIR"
unset PULSE_SERVER
work=$XDG_RUNTIME_DIR
game= recorder=
server() { cat "$XDG_RUNTIME_DIR/pulse/pid" 2>/dev/null || true; }
stop_server() {  # it does not always go at a plain kill
    local pid
    pid=$(server)
    [[ -z "$pid" ]] || kill -9 "$pid" 2>/dev/null || true
}
cleanup() {
    kill $game $recorder 2>/dev/null || true
    stop_server
    rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
recorded() {  # bytes of sound recorded so far, whole frames only
    echo $(($(stat -c %s "$work/sound.raw") / 4 * 4))
}
peak() {  # peak FROM TO: the loudest sample recorded between two byte offsets
    # od reads just those bytes: the file grows meanwhile, and a reader that
    # stopped early would leave a writer killed by a broken pipe.
    od -An -td2 -v -w2 -j "$1" -N $(($2 - $1)) "$work/sound.raw" |
        awk 'BEGIN { m = 0 } { v = $1 < 0 ? -$1 : $1; if (v > m) m = v } END { print m }'
}

pulseaudio -n -F /dev/null --daemonize=yes --exit-idle-time=-1 --system=false \
    -L module-native-protocol-unix -L "module-null-sink sink_name=null" 2>/dev/null ||
    fail "the sound server did not start"
for _ in $(seq 1 50); do
    pactl info >/dev/null 2>&1 && break
    sleep 0.1
done
parec -d null.monitor --format=s16le --rate=44100 --channels=2 >"$work/sound.raw" &
recorder=$!
# A recorder catches nothing until it has run a while: a second of silence first.
for _ in $(seq 1 50); do
    (($(recorded) >= 176400)) && break
    sleep 0.1
done
(($(recorded) >= 176400)) || fail "nothing is recorded from the null sink"

"$binary" 2>"$work/game.err" &
game=$!
main=$(wait_for "Vesmor1.1")
help=$(wait_for "^Help$")
sleep 0.3
xdotool mousemove --window "$help" 113 283 click 1   # the help's OK
sleep 0.3
xdotool mousemove --window "$main" 101 421 click 1   # forward, before Start
sleep 1.5
before_start=$(recorded)
expect "no sound before Start" "$(peak 0 "$before_start")" 0

xdotool mousemove --window "$main" 338 421 click 1   # Start
sleep 0.3
xdotool mousemove --window "$main" 101 421 click 1   # forward, during the game
# The first beep opens the connection to the server: on a busy machine that
# takes a while.
for _ in $(seq 1 50); do
    sleep 0.2
    loudest=$(peak "$before_start" "$(recorded)")
    ((loudest > 1000)) && break
done
((loudest > 1000)) || fail "the step's beep was not heard (loudest sample $loudest)"
echo "ok: the step's beep is heard (loudest sample $loudest of 32767)"

# The server goes away: the beep falls back to the X bell, without a word.
kill $recorder 2>/dev/null || true
stop_server
sleep 0.3
for _ in 1 2; do
    xdotool mousemove --window "$main" 101 421 click 1
    sleep 0.5
done
kill -0 $game 2>/dev/null || fail "the game ended when the sound server went away"
expect "nothing said on standard error" "$(cat "$work/game.err")" ""
