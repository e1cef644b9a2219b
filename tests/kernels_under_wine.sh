#!/usr/bin/env bash
# The Windows build's lane kernels paint what its scalar kernel paints, on the 32-bit
# stack that Windows aligns to 4 bytes only: kernel-check.exe under Wine.
#   kernels_under_wine.sh KERNEL_CHECK_EXE WINEPREFIX
set -euo pipefail
export WINEPREFIX=$2 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
wine "$1" | tr -d '\r'
