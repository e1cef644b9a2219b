#!/usr/bin/env bash
# A Windows build paints the same pixels as the Linux build: picture-digest's
# fingerprints of every catalogue row and of a seeded cycle must agree line by line.
#   same_pixels_under_wine.sh NATIVE_DIGEST WINDOWS_DIGEST_EXE BITS WINEPREFIX
set -euo pipefail
native=$1 windows=$2
source "$(dirname "$0")/wine/wine_loader.sh"
use_wine "$3"
export WINEPREFIX=$4 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
expected=$("$native")
actual=$(wine "$windows" | tr -d '\r')
if [[ "$expected" != "$actual" ]]; then
    diff <(echo "$expected") <(echo "$actual") | head -20
    echo "the $3-bit Windows build paints different pixels" >&2
    exit 1
fi
echo "$(wc -l <<<"$expected") fingerprints agree"
