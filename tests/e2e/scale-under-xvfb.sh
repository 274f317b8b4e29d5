#!/usr/bin/env bash
# The game on high-density screens: drawn at the largest whole scale that
# still fits the screen, and never placed partly off it.
#   144 dpi, 1024 x 768: scale 1 (1.5 would round up to 2 and overflow)
#   192 dpi, 2400 x 1800: scale 2
#   192 dpi, 1024 x 768: scale 1, since 2 does not fit
# Usage: scale-under-xvfb.sh VESMOR_BINARY
set -euo pipefail
binary=$1

if [[ -z "${VESMOR_UNDER_XVFB:-}" ]]; then
    export VESMOR_UNDER_XVFB=1
    status=0
    for case in "144 1024 768 529x462" "192 2400 1800 1058x924" "192 1024 768 529x462"; do
        read -r dpi width height size <<< "$case"
        # -noreset keeps the dpi resource set below for the game's connection.
        VESMOR_DPI=$dpi VESMOR_SCREEN=${width}x$height VESMOR_SIZE=$size \
            xvfb-run -a -s "-noreset -screen 0 ${width}x${height}x24" "$0" "$@" || status=1
    done
    exit $status
fi
export QT_QPA_PLATFORM=xcb
xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "Xft.dpi:	$VESMOR_DPI"$'\n'

"$binary" 2>/dev/null &
game=$!
trap 'kill $game 2>/dev/null || true' EXIT

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
check() {  # check WHAT X Y WIDTH HEIGHT
    if (($2 < 0 || $3 < 0 || $2 + $4 > screen_width || $3 + $5 > screen_height)); then
        echo "FAIL: $VESMOR_DPI dpi, $VESMOR_SCREEN: $1 at $2,$3 size $4x$5 is not wholly on the screen" >&2
        exit 1
    fi
}
read -r x y w h <<< "$(geometry "Vesmor1.1")"
check "main window" "$x" "$y" "$w" "$h"
if [[ "${w}x$h" != "$VESMOR_SIZE" ]]; then
    echo "FAIL: $VESMOR_DPI dpi, $VESMOR_SCREEN: main window ${w}x$h, wanted $VESMOR_SIZE" >&2
    exit 1
fi
read -r x y w h <<< "$(geometry "^Help$")"
check "help dialog" "$x" "$y" "$w" "$h"
echo "ok: $VESMOR_DPI dpi on $VESMOR_SCREEN: ${VESMOR_SIZE}"
