#!/usr/bin/env bash
# The Debian package as users get it, made by cpack from this build: exactly the
# expected files with their modes, stripped programs, a Depends line computed from the
# libraries they link, no error or warning from lintian, and programs and manual pages
# that work once unpacked.
#
#   package_test.sh CPACK BUILD_DIR VERSION
set -euo pipefail
cpack=${1:?cpack} build=${2:?build folder} version=${3:?version}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Into a folder of its own, so that a test run never touches the build's packages.
"$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1 ||
    fail "cpack failed: $(cat "$work/cpack.log")"
deb=$work/out/scintle_${version}_$(dpkg --print-architecture).deb
[[ -f $deb ]] || fail "no $(basename "$deb") among: $(ls "$work/out")"

expected="-rw-r--r-- ./usr/share/doc/scintle/README.md
-rw-r--r-- ./usr/share/doc/scintle/changelog.gz
-rw-r--r-- ./usr/share/doc/scintle/copyright
-rw-r--r-- ./usr/share/man/man1/scintle-render.1.gz
-rw-r--r-- ./usr/share/man/man6/scintle.6.gz
-rw-r--r-- ./usr/share/xscreensaver/config/scintle.xml
-rwxr-xr-x ./usr/bin/scintle-render
-rwxr-xr-x ./usr/libexec/xscreensaver/scintle"
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $1, $NF }' | LC_ALL=C sort)
[[ $files == "$expected" ]] || fail "package files differ:
$(diff <(echo "$expected") <(echo "$files"))"

depends=$(dpkg-deb -f "$deb" Depends)
# Versioned entries come from dpkg-shlibdeps, not from a list written by hand.
for library in 'libc6 (>= ' libx11-6 libxext6 libpng16-16; do
    [[ $depends == *"$library"* ]] || fail "Depends lacks '$library': $depends"
done

# Debian's own checks of a package: a tag of either kind fails (--fail-on).
lintian --fail-on error,warning "$deb" >"$work/lintian.txt" 2>&1 ||
    fail "lintian: $(grep -E '^[EW]: ' "$work/lintian.txt" || cat "$work/lintian.txt")"

dpkg-deb -x "$deb" "$work/root"
# The changelog's entry is this version's.
[[ $(gzip -dc "$work/root/usr/share/doc/scintle/changelog.gz" | head -n 1) == "scintle ($version) "* ]] ||
    fail "changelog.gz does not start with version $version"
saver=$work/root/usr/libexec/xscreensaver/scintle
render=$work/root/usr/bin/scintle-render
for program in "$saver" "$render"; do
    readelf -S "$program" >"$work/sections"
    ! grep -q '\.debug_info' "$work/sections" || fail "$program is not stripped"
done

"$render" view --family julia --row 28 --size 64x48 -o "$work/view.png" ||
    fail "the packaged scintle-render failed"
[[ $(head -c 8 "$work/view.png" | od -An -tx1 | tr -d ' \n') == 89504e470d0a1a0a ]] ||
    fail "scintle-render did not write a PNG"

# Without a display: both answers come before any connection.
export -n DISPLAY XSCREENSAVER_WINDOW
"$saver" --help >"$work/saver-help.txt" || fail "scintle --help exited $?"
status=0
"$saver" --completion-delay 301 2>/dev/null || status=$?
((status == 2)) || fail "scintle --completion-delay 301 exited $status, not 2"

# Each page renders without a warning and names every option its program's help does.
"$render" --help >"$work/render-help.txt"
check_page() {
    local page=$1 help=$2 option
    gzip -dc "$page" >"$work/page" || fail "$page does not decompress"
    sed 's/\\-/-/g' "$work/page" >"$work/page.txt"
    groff -man -Tutf8 -ww -z "$work/page" 2>"$work/groff.err" && [[ ! -s $work/groff.err ]] ||
        fail "$page: $(cat "$work/groff.err")"
    for option in $(tr ' []|' '\n' <"$help" | sed -E -n 's/\*$//; /^--?[a-z]([-a-z0-9]*[a-z0-9])?$/p' | sort -u); do
        grep -q -E -- "(^|[ (])$option([^-a-z0-9]|$)" "$work/page.txt" ||
            fail "$page does not describe $option"
    done
}
check_page "$work/root/usr/share/man/man6/scintle.6.gz" "$work/saver-help.txt"
check_page "$work/root/usr/share/man/man1/scintle-render.1.gz" "$work/render-help.txt"
echo "package $(basename "$deb") checked"
