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

# The view's sky at 300 seconds fills about a third of the 330 x 330 view.
sky=0
for _ in $(seq 1 30); do
    sleep 0.3
    kill -0 "${pids[1]}" 2>/dev/null || break
    rm -f "$XDG_RUNTIME_DIR"/wayland-screenshot-*.png
    (cd "$XDG_RUNTIME_DIR" && weston-screenshooter >/dev/null 2>&1) || continue
    shot=$(ls "$XDG_RUNTIME_DIR"/wayland-screenshot-*.png 2>/dev/null | head -n 1)
    [[ -n "$shot" ]] || continue
    sky=$(/usr/bin/convert "$shot" -format %c histogram:info:- | awk 'tolower($0) ~ /#0000e8/ { sub(":", "", $1); print $1 }')
    [[ ${sky:-0} -gt 20000 ]] && break
done

if ! kill -0 "${pids[1]}" 2>/dev/null; then
    echo "FAIL: the game did not stay up on Wayland:" >&2
    cat "$XDG_RUNTIME_DIR/game.log" >&2
    exit 1
fi
if [[ ${sky:-0} -le 20000 ]]; then
    echo "FAIL: no view on the Wayland screen (${sky:-0} sky pixels)" >&2
    exit 1
fi
echo "ok: the view is on the Wayland screen ($sky sky pixels)"
