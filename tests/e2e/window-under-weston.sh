#!/usr/bin/env bash
# The real game on a Wayland compositor (Weston, headless): with no X
# display at all it must open its window natively and draw its view.
# Usage: window-under-weston.sh VESMOR_BINARY
set -euo pipefail
binary=$1
export XDG_RUNTIME_DIR
XDG_RUNTIME_DIR=$(mktemp -d)  # private: the compositor's socket goes here
chmod 700 "$XDG_RUNTIME_DIR"
unset DISPLAY QT_QPA_PLATFORM
export WAYLAND_DISPLAY=vesmor-test
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$XDG_RUNTIME_DIR"
}
trap cleanup EXIT

# --debug lets weston-screenshooter photograph the screen.
weston --backend=headless-backend.so --use-pixman --debug --idle-time=0 --width=1024 --height=768 \
    --socket="$WAYLAND_DISPLAY" >"$XDG_RUNTIME_DIR/weston.log" 2>&1 &
pids+=($!)
for _ in $(seq 1 50); do
    [[ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ]] && break
    sleep 0.1
done

"$binary" >"$XDG_RUNTIME_DIR/game.log" 2>&1 &
pids+=($!)

# Seen on the screen: the window's teal view frame (four 5-pixel bars, about
# 7,400 pixels), and the view drawn in it, known by its sky at 300 seconds
# (at least a band across the top, whatever maze the game chose). No other
# pixel on the screen has either colour.
count() {  # count FILE COLOUR
    /usr/bin/convert "$1" -format %c histogram:info:- |
        awk -v c="$2" 'tolower($0) ~ c { sub(":", "", $1); n += $1 } END { print n + 0 }'
}
frame=0 sky=0
for _ in $(seq 1 30); do
    sleep 0.3
    kill -0 "${pids[1]}" 2>/dev/null || break
    rm -f "$XDG_RUNTIME_DIR"/wayland-screenshot-*.png
    (cd "$XDG_RUNTIME_DIR" && weston-screenshooter >/dev/null 2>&1) || continue
    shot=$(ls "$XDG_RUNTIME_DIR"/wayland-screenshot-*.png 2>/dev/null | head -n 1)
    [[ -n "$shot" ]] || continue
    frame=$(count "$shot" "#008080")
    sky=$(count "$shot" "#0000e8")
    [[ $frame -gt 7000 && $sky -gt 2000 ]] && break
done

if ! kill -0 "${pids[1]}" 2>/dev/null; then
    echo "FAIL: the game did not stay up on Wayland:" >&2
    cat "$XDG_RUNTIME_DIR/game.log" >&2
    exit 1
fi
if [[ $frame -le 7000 || $sky -le 2000 ]]; then
    echo "FAIL: no game window on the Wayland screen ($frame frame pixels, $sky sky pixels)" >&2
    exit 1
fi
echo "ok: the window and its view are on the Wayland screen ($frame frame pixels, $sky sky pixels)"
