#!/usr/bin/env bash
# Started where no window can open, the game names in one line each display
# it tried and why it failed, and exits with status 1.
# Usage: without-display.sh VESMOR_BINARY
set -euo pipefail
binary=$1
runtime=$(mktemp -d)  # a private runtime folder with no compositor in it
trap 'rm -rf "$runtime"' EXIT

expect() {  # expect WHAT ENV...: runs the game with ENV; the last argument is the wanted line
    local what=$1 wanted=${*: -1} out status=0
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$runtime" \
              "${@:2:$#-2}" "$binary" 2>&1) || status=$?
    if [[ "$status $out" != "1 $wanted" ]]; then
        printf 'FAIL: %s:\n  got    %s %s\n  wanted 1 %s\n' "$what" "$status" "$out" "$wanted" >&2
        exit 1
    fi
    echo "ok: $what"
}

expect "no display at all" \
    "vesmor: cannot open the game window on an X display: DISPLAY is not set"
expect "an X display that is not there" DISPLAY=:97 \
    "vesmor: cannot open the game window on X display \":97\": could not connect to display :97"
expect "no compositor behind WAYLAND_DISPLAY, then X" WAYLAND_DISPLAY=vesmor-none DISPLAY=:97 \
    "vesmor: cannot open the game window on Wayland display \"vesmor-none\": Failed to create wl_display (No such file or directory); nor on X display \":97\": could not connect to display :97"
