#!/usr/bin/env bash
# Builds the browser's site into build/web/site, ready for any static web host:
#
#   the engine's module twice with Debian's emscripten (build/web/simd, build/web/plain:
#   each a CMake build of its own, so only what changed is rebuilt), the pages and
#   their scripts (web/site/), the saver's icon as the page icon, the manifest's PNG
#   icons drawn by the engine (make-pictures --web, from a native build in
#   build/web/native), and the service worker with the list of the site's files.
#
# The emscripten builds also make picture-digest and kernel-check for node, which the
# tests run (tests/web/). ./run web, ./test, ./package and ./bench call this script;
# it installs what is missing. Prints the site's folder.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/ensure_packages.sh
ensure_packages "${SCINTLE_WEB_BUILD_PACKAGES[@]}"

# emcc runs its JavaScript tools with Debian's node modules (acorn among them); its
# cache is the prebuilt one that Debian ships, so it is left where it is.
export NODE_PATH=/usr/share/nodejs
unset EM_CACHE
jobs=${SCINTLE_JOBS:-2}

for variant in simd plain; do
    dir=build/web/$variant
    if [[ ! -f $dir/build.ninja ]]; then
        simd=OFF
        [[ $variant == simd ]] && simd=ON
        emcmake cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
                -DSCINTLE_WEB_SIMD=$simd -DSCINTLE_TESTS=ON >/dev/null
    fi
    cmake --build "$dir" -j "$jobs" | grep -v '^\[' || true
    [[ -f $dir/scintle-$variant.wasm ]] || { echo "web/build.sh: the $variant build failed" >&2; exit 1; }
done
if [[ ! -f build/web/native/build.ninja ]]; then
    cmake -S . -B build/web/native -G Ninja -DCMAKE_BUILD_TYPE=Release -DSCINTLE_TESTS=OFF \
          -DSCINTLE_BENCH=OFF >/dev/null
fi
cmake --build build/web/native -j "$jobs" --target make-pictures | grep -v '^\[' || true

# The site is put together beside the old one and then swapped in whole.
site=build/web/site
stage=$site.new
rm -rf "$stage"
mkdir -p "$stage"
cp web/site/* "$stage/"
for variant in simd plain; do
    cp "build/web/$variant/scintle-$variant.js" "build/web/$variant/scintle-$variant.wasm" "$stage/"
done
cp resources/scintle.ico "$stage/favicon.ico"
build/web/native/tools/make-pictures --web "$stage"
files=$(cd "$stage" && ls | sort)
version=$(cd "$stage" && cat $files | sha256sum | cut -c1-16)
list=$(printf '"%s",' ./ $files)
sed -e "s/@VERSION@/$version/" -e "s|@FILES@|[${list%,}]|" web/sw.js >"$stage/sw.js"
rm -rf "$site"
mv "$stage" "$site"
echo "$PWD/$site"
