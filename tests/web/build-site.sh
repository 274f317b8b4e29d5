#!/bin/sh
# Makes what the web page's tests need, once a test run: the tests' npm
# packages, from the lockfile (again only when it changed), and the site,
# built as `make web` builds it, in a tree of its own.
#   build-site.sh SOURCE WEB_TREE NODE_FOLDER WERROR
set -eu
source=$1 web=$2 node=$3 werror=$4

"$source/scripts/web-node" "$node"
JOBS=2 "$source/scripts/build-web" "$web" -DVESMOR_WERROR="$werror"
echo "site: $(du -s --apparent-size -k "$web/site" | cut -f1) KiB, vesmor-core.wasm $(stat -c %s "$web/site/vesmor-core.wasm") bytes"
