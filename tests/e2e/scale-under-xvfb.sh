#!/usr/bin/env bash
# The game on screens of every density and size: drawn at the largest whole
# scale that still fits the screen, never placed partly off it where it
# fits, and saying in one line whenever it is drawn other than asked or
# does not fit.
#   144 dpi, 1024 x 768: scale 1 (1.5 would round up to 2 and overflow)
#   192 dpi, 2400 x 1800: scale 2
#   192 dpi, 1024 x 768: scale 1, since 2 does not fit
#   96 dpi, 1024 x 768, QT_SCALE_FACTOR=2: scale 1 likewise
#   192 dpi, 2400 x 1800, QT_SCALE_FACTOR=2: scale 3, since 4 does not fit
#   96 dpi, 400 x 300: scale 1, larger than the screen
# Usage: scale-under-xvfb.sh VESMOR_BINARY
set -euo pipefail
binary=$1

if [[ -z "${VESMOR_UNDER_XVFB:-}" ]]; then
    export VESMOR_UNDER_XVFB=1
    status=0
    lowered="vesmor: drawn at scale 1 rather than 2: at 2 the window (1074x960 pixels) would not fit the screen (1024x768)"
    while IFS='|' read -r dpi width height size factor said; do
        # -noreset keeps the dpi resource set below for the game's connection.
        VESMOR_DPI=$dpi VESMOR_SCREEN=${width}x$height VESMOR_SIZE=$size VESMOR_FACTOR=$factor VESMOR_SAID=$said \
            xvfb-run -a -s "-noreset -screen 0 ${width}x${height}x24" "$0" "$@" || status=1
    done <<CASES
144|1024|768|529x462||
192|2400|1800|1058x924||
192|1024|768|529x462||$lowered
96|1024|768|529x462|2|$lowered
192|2400|1800|1587x1386|2|vesmor: drawn at scale 3 rather than 4: at 4 the window (2148x1920 pixels) would not fit the screen (2400x1800)
96|400|300|529x462||vesmor: the window (537x480 pixels) is larger than the screen (400x300): its right and bottom edges are off it
CASES
    exit $status
fi
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR
XDG_RUNTIME_DIR=$(mktemp -d)
said=$XDG_RUNTIME_DIR/said
trap 'kill $game 2>/dev/null || true; rm -rf "$XDG_RUNTIME_DIR"' EXIT
xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "Xft.dpi:	$VESMOR_DPI"$'\n'

case=" $VESMOR_DPI dpi, $VESMOR_SCREEN${VESMOR_FACTOR:+, QT_SCALE_FACTOR=$VESMOR_FACTOR}"
if [[ -n "$VESMOR_FACTOR" ]]; then
    QT_SCALE_FACTOR=$VESMOR_FACTOR "$binary" 2>"$said" &
else
    "$binary" 2>"$said" &
fi
game=$!

geometry() {  # geometry TITLE: "X Y WIDTH HEIGHT" of the first window with that title
    for _ in $(seq 1 100); do
        if id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) && [[ -n "$id" ]]; then
            xdotool getwindowgeometry --shell "$id" | awk -F= '{ v[$1] = $2 } END { print v["X"], v["Y"], v["WIDTH"], v["HEIGHT"] }'
            return 0
        fi
        sleep 0.1
    done
    echo "no window named '$1' appeared" >&2
    return 1
}

screen_width=${VESMOR_SCREEN%x*} screen_height=${VESMOR_SCREEN#*x}
check() {  # check WHAT X Y WIDTH HEIGHT: wholly on the screen, where it fits
    if (($4 <= screen_width && $5 <= screen_height)) &&
        (($2 < 0 || $3 < 0 || $2 + $4 > screen_width || $3 + $5 > screen_height)); then
        echo "FAIL:$case: $1 at $2,$3 size $4x$5 is not wholly on the screen" >&2
        exit 1
    fi
}
read -r x y w h <<< "$(geometry "Vesmor1.1")"
check "main window" "$x" "$y" "$w" "$h"
if [[ "${w}x$h" != "$VESMOR_SIZE" ]]; then
    echo "FAIL:$case: main window ${w}x$h, wanted $VESMOR_SIZE" >&2
    exit 1
fi
read -r x y w h <<< "$(geometry "^Help$")"
check "help dialog" "$x" "$y" "$w" "$h"
if [[ "$(cat "$said")" != "$VESMOR_SAID" ]]; then
    printf 'FAIL:%s: said\n  %s\nwanted\n  %s\n' "$case" "$(cat "$said")" "$VESMOR_SAID" >&2
    exit 1
fi
echo "ok:$case: $VESMOR_SIZE${VESMOR_SAID:+, saying so}"
