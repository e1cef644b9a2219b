#!/usr/bin/env bash
# A Windows build's lane kernels paint what its scalar kernel paints: kernel-check.exe
# under Wine. The 32-bit build runs them on the stack that 32-bit Windows aligns to 4
# bytes only; the 64-bit build with the Windows x64 calling convention.
#   kernels_under_wine.sh KERNEL_CHECK_EXE BITS WINEPREFIX
set -euo pipefail
source "$(dirname "$0")/wine/wine_loader.sh"
use_wine "$2"
export WINEPREFIX=$3 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
wine "$1" | tr -d '\r'
