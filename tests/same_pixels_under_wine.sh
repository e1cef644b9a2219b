#!/usr/bin/env bash
# The Windows build paints the same pixels as the Linux build: picture-digest's
# fingerprints of every catalogue row and of a seeded cycle must agree line by line.
#   same_pixels_under_wine.sh NATIVE_DIGEST WINDOWS_DIGEST_EXE WINEPREFIX
set -euo pipefail
native=$1 windows=$2
export WINEPREFIX=$3 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
expected=$("$native")
actual=$(wine "$windows" | tr -d '\r')
if [[ "$expected" != "$actual" ]]; then
    diff <(echo "$expected") <(echo "$actual") | head -20
    echo "the Windows build paints different pixels" >&2
    exit 1
fi
echo "$(wc -l <<<"$expected") fingerprints agree"
