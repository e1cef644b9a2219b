#!/usr/bin/env bash
# The lane kernels compiled for AVX2 and AVX-512 must not lend code to the rest of the
# program: an inline function they emitted could be the copy the linker keeps for
# everyone, and crash processors without those instructions. Each such object file
# may define its entry function and nothing else that links.
#   lane_objects_share_nothing.sh OBJECT...   (or one ;-separated list)
set -uo pipefail
IFS=';' read -ra objects <<< "$*"
status=0
checked=0
for object in "${objects[@]}"; do
    case "$object" in *lanes_*) ;; *) continue ;; esac
    checked=$((checked + 1))
    shared=$(nm --defined-only --extern-only -C "$object" | awk '{ $1 = ""; $2 = ""; print }' |
             sed 's/^ *//' | grep -v -E '^scintle::Run(Sse2|Avx2|Avx512)Lanes\(scintle::LaneJob\*\)$' || true)
    if [[ -n "$shared" ]]; then
        echo "$(basename "$object") defines more than its entry function:"
        echo "$shared" | sed 's/^/  /'
        status=1
    fi
done
if [[ $checked -ne 3 ]]; then
    echo "expected the three lane kernel objects, found $checked"
    exit 1
fi
[[ $status -eq 0 ]] && echo "the lane kernels share nothing but their entry functions"
exit $status
