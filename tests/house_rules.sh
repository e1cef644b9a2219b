#!/usr/bin/env bash
# House rules that the compiler cannot see:
#  - windows.h belongs to the Win32 binding files (win32_*), the resource scripts and
#    the Windows-only test programs, never to the engine or the host's decisions;
#    Xlib's headers likewise to the X11 binding's files (platform/x11/x11_*);
#  - every random number comes from the engine's own generator (fractal/random.h),
#    never from the C library or <random>;
#  - includes point down the layers (docs/architecture.md), never up, and never from
#    one front (host/, x11_saver/, cli/, web/) into another; no two units (a header
#    and its source file) include each other's header.
set -uo pipefail
cd "$(dirname "$0")/.."
status=0
# The tracked files in a checkout; in an exported tree, the files under this one but
# for build output, named the same way (no leading ./).
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    sources=$(git ls-files '*.cpp' '*.h' '*.c' '*.rc')
else
    sources=$(find . \( -path ./build -o -path ./.git \) -prune -o -type f \
              \( -name '*.cpp' -o -name '*.h' -o -name '*.c' -o -name '*.rc' \) -printf '%P\n')
fi

windows=$(grep -l -E '#\s*include\s*[<"]windows\.h[>"]' $sources 2>/dev/null |
          grep -v -E '(^|/)win32_[^/]*$|\.rc$|^tests/wine/' || true)
if [[ -n "$windows" ]]; then
    echo "windows.h outside the Win32 bindings:"; echo "$windows" | sed 's/^/  /'; status=1
fi

xlib=$(grep -l -E '#\s*include\s*<X11/' $sources 2>/dev/null | grep -v -E '^platform/x11/x11_' || true)
if [[ -n "$xlib" ]]; then
    echo "Xlib outside the X11 binding:"; echo "$xlib" | sed 's/^/  /'; status=1
fi

libc_random=$(grep -n -E '(std::|[^a-z_:]::)s?rand\s*\(|\b(random|drand48|lrand48|rand_r)\s*\(|#\s*include\s*<random>' \
              $sources 2>/dev/null | grep -v 'scintle::s\?rand' || true)
if [[ -n "$libc_random" ]]; then
    echo "random numbers from the C library:"; echo "$libc_random" | sed 's/^/  /'; status=1
fi
# The layer of a file: its top folder's place, from the bottom up. The fronts share
# the layer above the engine and never include one another; the tools, tests and
# benchmarks on top may include anything below them and one another.
declare -A layers=([platform]=0 [resources]=0 [settings]=1 [fractal]=2 [render]=3
                   [host]=4 [x11_saver]=4 [cli]=4 [web]=4)
upward=""
across=""
edges=""
for file in $sources; do
    fileLayer=${layers[${file%%/*}]:-5}
    while IFS= read -r name; do
        # Where a quoted include lands: from the top, beside the including file, or in
        # tools/ (whose programs name their own folders).
        target=""
        for candidate in "$name" "${file%/*}/$name" "tools/$name"; do
            if [[ -f $candidate ]]; then target=$candidate; break; fi
        done
        [[ -z $target ]] && continue
        edges+="$file $target"$'\n'
        targetLayer=${layers[${target%%/*}]:-5}
        if (( targetLayer > fileLayer )); then
            upward+="  $file -> $target"$'\n'
        elif (( targetLayer == 4 && fileLayer == 4 )) && [[ ${target%%/*} != "${file%%/*}" ]]; then
            across+="  $file -> $target"$'\n'
        fi
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done
if [[ -n "$upward" ]]; then
    echo "includes pointing up the layers:"; printf '%s' "$upward"; status=1
fi
if [[ -n "$across" ]]; then
    echo "fronts that include one another:"; printf '%s' "$across"; status=1
fi
# A unit is a header and its source file: two units that include each other's header
# are one unit in two files, or a cycle to cut.
mutual=$(printf '%s' "$edges" | sed 's/\.[a-z]*\( \|$\)/\1/g' | awk '
    $1 != $2 && seen[$2 " " $1] && !told[$2 " " $1]++ { print "  " $2 " <-> " $1 }
    { seen[$1 " " $2] = 1 }')
if [[ -n "$mutual" ]]; then
    echo "units that include each other's header:"; echo "$mutual"; status=1
fi
[[ $status -eq 0 ]] && echo "house rules kept"
exit $status
