#!/bin/sh
# Makes what the web page's tests need, once a test run: the tests' npm
# packages, from the lockfile (again only when it changed), and the site,
# built with emscripten in a tree of its own from what the native build in
# BUILD has drawn and written.
#   build-site.sh SOURCE BUILD WEB_TREE NODE_FOLDER WERROR FACTS PICTURES ICONS
set -eu
source=$1 build=$2 web=$3 node=$4 werror=$5 facts=$6 pictures=$7 icons=$8

"$source/scripts/web-node" "$node"

# emscripten's optimiser needs Debian's acorn, whichever node runs it.
export NODE_PATH=/usr/share/nodejs
log=$web.log
emcmake cmake -S "$source" -B "$web" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVESMOR_DESKTOP=OFF \
    -DBUILD_TESTING=OFF -DVESMOR_WERROR="$werror" -DVESMOR_WEB_FACTS="$facts" -DVESMOR_WEB_PICTURES="$pictures" \
    -DVESMOR_WEB_ICONS="$icons" >"$log" 2>&1 || { cat "$log"; exit 1; }
cmake --build "$web" -j2 >>"$log" 2>&1 || { cat "$log"; exit 1; }
echo "site: $(du -s --apparent-size -k "$web/site" | cut -f1) KiB, vesmor-core.wasm $(stat -c %s "$web/site/vesmor-core.wasm") bytes"
