#!/usr/bin/env bash
# A WebAssembly build of the engine (web/build.sh) paints the same pixels as this
# build: picture-digest's fingerprints of every catalogue row and of a seeded cycle,
# run under node, agree line by line with the native program's; and its lane kernel,
# where it has one, paints what its one-pixel kernel paints (kernel-check).
#   same_pixels_in_wasm.sh NATIVE_PICTURE_DIGEST WASM_BUILD_DIR
set -euo pipefail
native=$1 build=$2
# node 18 and 20 need their fetch turned off to load emscripten's output from files.
node=(node --no-experimental-fetch)
command -v node >/dev/null || { echo "SKIP: node is not installed (web/build.sh installs it)"; exit 77; }
expected=$("$native")
actual=$("${node[@]}" "$build/picture-digest.js")
if [[ "$expected" != "$actual" ]]; then
    diff <(echo "$expected") <(echo "$actual") | head -20
    echo "the WebAssembly build in $build paints different pixels" >&2
    exit 1
fi
echo "$(wc -l <<<"$expected") fingerprints agree"
"${node[@]}" "$build/kernel-check.js"
