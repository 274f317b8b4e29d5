#!/usr/bin/env bash
# The game's command line: --version and --help answer without a display,
# Qt's own options are let through, anything else is refused; and without
# a Japanese font the game says so once and plays on.
# Usage: command-line.sh VESMOR_BINARY VERSION
set -euo pipefail
binary=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

expect() {  # expect WHAT ACTUAL WANTED
    if [[ "$2" != "$3" ]]; then
        printf 'FAIL: %s:\n  got    %s\n  wanted %s\n' "$1" "$2" "$3" >&2
        exit 1
    fi
    echo "ok: $1"
}
run() {  # run ARGS...: sets status, out and err; stops the game after 2 s
    status=0
    timeout 2 env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$binary" "$@" \
        >"$work/out" 2>"$work/err" || status=$?
    out=$(cat "$work/out")
    err=$(cat "$work/err")
}

run --version
expect "--version" "$status $out$err" "0 Vesmor $version"
run --help
expect "--help status" "$status" 0
expect "--help first line" "$(head -n 1 <<< "$out")" "Usage: vesmor [--help | --version] [Qt options]"
run --map 3
expect "unknown argument" "$status|$out|$err" \
    "2||vesmor: unknown argument '--map' (vesmor --help lists the options)"
run -platform offscreen extra
expect "argument after a Qt option" "$status|$err" \
    "2|vesmor: unknown argument 'extra' (vesmor --help lists the options)"
run -style
expect "Qt option without its value" "$status|$err" \
    "2|vesmor: missing value after '-style' (vesmor --help lists the options)"

# Qt's options reach Qt: the game opens offscreen and plays until stopped.
# With only Latin fonts it warns once and still plays.
cat > "$work/fonts.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig><dir>/usr/share/fonts/truetype/dejavu</dir><cachedir>$work/fc</cachedir></fontconfig>
CONF
export XDG_RUNTIME_DIR=$work
export XDG_RUNTIME_DIR=$work
FONTCONFIG_FILE=$work/fonts.conf run -platform offscreen --style Fusion
expect "plays on with Qt options and Latin fonts only" "$status" 124
expect "says once that Japanese fonts are missing" "$(grep -c 'no installed font can show' <<< "$err")" 1
expect "names the font package" "$(grep -o 'fonts-ipafont-gothic' <<< "$err")" fonts-ipafont-gothic
run -platform offscreen
expect "no font warning with the fonts installed" "$status|$(grep -c 'font' <<< "$err" || true)" "124|0"
expect "says in one line that no one sees it" "$err" \
    'vesmor: the "offscreen" platform shows the window on no screen: the game runs unseen until it is stopped'
