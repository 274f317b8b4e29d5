#!/usr/bin/env bash
# The Debian package, built from this build folder, unpacked as dpkg would
# and played from there under Xvfb as far as the first frame of the view;
# built again a moment later, it is the same file.
# Usage: package-plays.sh BUILD_DIR OUT_DIR VERSION
set -euo pipefail
build=$1
out=$2
version=$3

pack() {  # pack FOLDER
    (cd "$build" && cpack -G DEB -B "$1" >"$out/cpack.log" 2>&1) || { cat "$out/cpack.log" >&2; exit 1; }
}
if [[ -z "${VESMOR_UNDER_XVFB:-}" ]]; then
    rm -rf "$out" && mkdir -p "$out"
    pack "$out"
    sleep 1
    touch "$build/ui/vesmor.6.gz"  # made again, as by a later build
    pack "$out/again"
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

deb=$out/vesmor_$version-1_$(dpkg --print-architecture).deb
expect "package file" "$(ls "$out"/*.deb)" "$deb"
cmp "$deb" "$out/again/${deb##*/}" >/dev/null || { echo "FAIL: a second build is not the same file" >&2; exit 1; }
echo "ok: a second build is the same file"
depends=$(dpkg-deb -f "$deb" Depends)
expect "depends on a Japanese font" "$(grep -o 'fonts-ipafont-gothic | fonts-noto-cjk | fonts-vlgothic' <<< "$depends")" \
    "fonts-ipafont-gothic | fonts-noto-cjk | fonts-vlgothic"
expect "depends on Qt" "$(grep -o libqt6widgets6 <<< "$depends")" libqt6widgets6
expect "recommends" "$(dpkg-deb -f "$deb" Recommends)" "fonts-liberation2, qt6-wayland, libcanberra-pulse, qt6-translations-l10n"

root=$out/root
dpkg-deb -x "$deb" "$root"
for file in usr/games/vesmor usr/share/applications/io.github.vesmor.Vesmor.desktop \
        usr/share/metainfo/io.github.vesmor.Vesmor.metainfo.xml \
        usr/share/icons/hicolor/16x16/apps/io.github.vesmor.Vesmor.png \
        usr/share/icons/hicolor/32x32/apps/io.github.vesmor.Vesmor.png \
        usr/share/icons/hicolor/48x48/apps/io.github.vesmor.Vesmor.png \
        usr/share/icons/hicolor/scalable/apps/io.github.vesmor.Vesmor.svg \
        usr/share/man/man6/vesmor.6.gz usr/share/doc/vesmor/copyright usr/share/doc/vesmor/README.md.gz; do
    [[ -f "$root/$file" ]] || { echo "FAIL: $file is not in the package" >&2; exit 1; }
done
echo "ok: the game, its menu entry, icons, metainfo, manual, copyright and README are in the package"
expect "binary without debug information" "$(readelf -S "$root/usr/games/vesmor" | grep -c '\.debug_' || true)" 0
expect "--version" "$("$root/usr/games/vesmor" --version)" "Vesmor $version"
expect "the manual's version" "$(zcat "$root/usr/share/man/man6/vesmor.6.gz" | head -n 1 | grep -o "\"Vesmor [^\"]*\"")" \
    "\"Vesmor $version\""
expect "the metainfo's release" "$(grep -o '<release version="[^"]*"' "$root/usr/share/metainfo/io.github.vesmor.Vesmor.metainfo.xml")" \
    "<release version=\"$version\""

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
    main=$(xdotool search --onlyvisible --name "Vesmor$version " 2>/dev/null | head -n 1) && [[ -n "$main" ]] && break
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
