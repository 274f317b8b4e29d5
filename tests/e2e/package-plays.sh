#!/usr/bin/env bash
# The Debian package, built from this build folder, unpacked as dpkg would
# and played from there under Xvfb as far as the first frame of the view.
# Usage: package-plays.sh BUILD_DIR OUT_DIR
set -euo pipefail
build=$1
out=$2

if [[ -z "${VESMOR_UNDER_XVFB:-}" ]]; then
    rm -rf "$out" && mkdir -p "$out"
    (cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) || { cat "$out/cpack.log" >&2; exit 1; }
    export VESMOR_UNDER_XVFB=1
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

expect() {  # expect WHAT ACTUAL WANTED
    if [[ "$2" != "$3" ]]; then
        echo "FAIL: $1: $2, wanted $3" >&2
        exit 1
    fi
    echo "ok: $1"
}

deb=$out/vesmor_1.1-1_$(dpkg --print-architecture).deb
expect "package file" "$(ls "$out"/*.deb)" "$deb"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in fonts-ipafont-gothic fonts-liberation2 qt6-wayland libqt6widgets6; do
    expect "depends on $needed" "$(grep -o "$needed" <<< "$depends" | head -n 1)" "$needed"
done

root=$out/root
dpkg-deb -x "$deb" "$root"
for file in usr/games/vesmor usr/share/applications/io.github.vesmor.Vesmor.desktop \
        usr/share/metainfo/io.github.vesmor.Vesmor.metainfo.xml \
        usr/share/icons/hicolor/16x16/apps/io.github.vesmor.Vesmor.png \
        usr/share/icons/hicolor/32x32/apps/io.github.vesmor.Vesmor.png \
        usr/share/icons/hicolor/48x48/apps/io.github.vesmor.Vesmor.png \
        usr/share/icons/hicolor/scalable/apps/io.github.vesmor.Vesmor.svg \
        usr/share/man/man6/vesmor.6.gz usr/share/doc/vesmor/copyright; do
    [[ -f "$root/$file" ]] || { echo "FAIL: $file is not in the package" >&2; exit 1; }
done
echo "ok: the game, its menu entry, icons, metainfo, manual and copyright are in the package"
expect "binary without debug information" "$(readelf -S "$root/usr/games/vesmor" | grep -c '\.debug_' || true)" 0
expect "--version" "$("$root/usr/games/vesmor" --version)" "Vesmor 1.1"

unset QT_QPA_PLATFORM
export QT_QPA_PLATFORM=xcb
"$root/usr/games/vesmor" 2>"$out/game.log" &
game=$!
trap 'kill $game 2>/dev/null || true' EXIT
fail() {  # fail WHY: with what the game said, and whether it is still running
    echo "FAIL: $1" >&2
    kill -0 $game 2>/dev/null || echo "the game is not running: it exited with status $(wait $game; echo $?)" >&2
    cat "$out/game.log" >&2
    exit 1
}
for _ in $(seq 1 100); do
    main=$(xdotool search --onlyvisible --name "Vesmor1.1" 2>/dev/null | head -n 1) && [[ -n "$main" ]] && break
    sleep 0.1
done
[[ -n "${main:-}" ]] || fail "no game window"
# Right of where the sun stands when the random start faces south; looked
# at until the first frame is there, for a busy machine may take a moment.
for _ in $(seq 1 50); do
    sleep 0.1
    /usr/bin/import -window "$main" "$out/first-frame.png"
    sky=$(/usr/bin/convert "$out/first-frame.png" -format "%[hex:p{281,40}]" info: | cut -c1-6 | tr 'A-F' 'a-f')
    [[ "$sky" == 0000e8 ]] && break
done
[[ "$sky" == 0000e8 ]] || fail "first frame: the sky at 300 seconds: #$sky, wanted #0000e8"
echo "ok: first frame: the sky at 300 seconds"
