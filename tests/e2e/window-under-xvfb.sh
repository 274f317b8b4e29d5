#!/usr/bin/env bash
# The real game in a real X window: started from its menu entry's point of
# view (the launcher's startup notice is answered, the window's class is the
# entry's StartupWMClass, its icon comes in every size installed in the
# icon theme), clicked like a player does (close the help, Start, one step
# forward), photographed and checked by its pixels, then closed through its
# confirmation.
# Usage: window-under-xvfb.sh VESMOR_BINARY DESKTOP_FILE "ICON_SIZES" [SHOT.png]
set -euo pipefail
source "$(dirname "$0")/x11-helpers.sh"
binary=$1 desktop=$2 icon_sizes=$3
shot=${4:-$(mktemp --suffix=.png)}

if [[ -z "${VESMOR_UNDER_XVFB:-}" ]]; then
    export VESMOR_UNDER_XVFB=1
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
unset QT_QPA_PLATFORM
export QT_QPA_PLATFORM=xcb

# The launcher's notices travel as messages to the root window.
notices=$(mktemp)
xev -root -event property >"$notices" 2>&1 &
watcher=$!
sleep 0.2
DESKTOP_STARTUP_ID=vesmor-test_TIME0 "$binary" &
game=$!
trap 'kill $game $watcher 2>/dev/null || true; rm -f "$notices"' EXIT

pixel() {  # pixel FILE X Y: the colour there as #rrggbb
    /usr/bin/convert "$1" -format "%[hex:p{$2,$3}]" info: | cut -c1-6 | tr 'A-F' 'a-f' | sed 's/^/#/'
}

main=$(wait_for "Vesmor1.1")
help=$(wait_for "^Help$")

class=$(xprop -id "$main" WM_CLASS | sed 's/.*= "[^"]*", "\([^"]*\)"$/\1/')
expect "the window's class is the menu entry's" "$class" "$(sed -n 's/^StartupWMClass=//p' "$desktop")"
expect "the window's icon sizes" \
    "$(xprop -len 100000000 -id "$main" _NET_WM_ICON | sed -n 's/.*Icon (\([0-9]*\) x [0-9]*).*/\1/p' | sort -n | xargs)" \
    "$(xargs -n 1 <<< "$icon_sizes" | sort -n | xargs)"
expect "the launcher's startup notice answered" "$(grep -c '_NET_STARTUP_INFO_BEGIN' "$notices")" 1
sleep 0.3
xdotool mousemove --window "$help" 113 283 click 1    # its OK button
sleep 0.3
xdotool mousemove --window "$main" 338 421 click 3   # Start's menu
sleep 0.3
xdotool key Down Return                               # "map 0"
sleep 0.2
# The help belongs to the main window, so the keyboard came back to it when
# it closed; the right click left the focus on Start: Enter starts.
xdotool key Return
sleep 0.2
xdotool mousemove --window "$main" 101 421 click 1   # forward
sleep 0.4
/usr/bin/import -window "$main" "$shot"

expect "window size" "$(/usr/bin/identify -format '%wx%h' "$shot")" "529x462"
expect "sky at 300 seconds" "$(pixel "$shot" 196 40)" "#0000e8"
expect "floor" "$(pixel "$shot" 196 351)" "#756475"
expect "teal view frame" "$(pixel "$shot" 12 200)" "#008080"
expect "map cleared white" "$(pixel "$shot" 458 250)" "#ffffff"
expect "first step on the map" "$(pixel "$shot" $((398 + 4 * 28 + 1)) $((184 + 4 * 28 + 5)))" "#000000"
expect "Redo's silver face" "$(pixel "$shot" 231 421)" "#c0c0c0"
expect "Start's silver face" "$(pixel "$shot" 307 421)" "#c0c0c0"
expect "map beside the trail" "$(pixel "$shot" $((398 + 4 * 26)) $((184 + 4 * 28 + 5)))" "#ffffff"

xdotool mousemove --window "$main" 457 419 click 1   # Exit
confirm=$(wait_for "確認")
sleep 0.2
xdotool windowfocus "$confirm" key Return
for _ in $(seq 1 50); do
    kill -0 $game 2>/dev/null || break
    sleep 0.1
done
if kill -0 $game 2>/dev/null; then
    echo "FAIL: the game did not close after OK" >&2
    exit 1
fi
wait $game && echo "ok: closed after confirmation"
