#!/usr/bin/env bash
# Builds one MSI package of the Windows saver from installer/scintle.wxs, with
# Debian's wixl (package wixl) and msitools' msibuild. ./package makes what ships with
# it, and the tests make theirs (also of a lower version, for the upgrade) the same way.
#
#   make_msi.sh --arch x64 --version 1.2.0 --saver64 F --saver32 F --actions F -o OUT.msi
#   make_msi.sh --arch x86 --version 1.2.0 --saver32 F --actions F -o OUT.msi
#
# --saver64/--saver32 are the Windows builds' scintle.scr, --actions the
# saver_choice.dll of the package's processor (the 64-bit build's for x64). The
# product code follows from the architecture and the version: the same version gets
# the same code, so that installing it again is a repair and never a second entry.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
fail() { echo "make_msi.sh: $*" >&2; exit 2; }

arch= version= saver64= saver32= actions= output=
while (($#)); do
    case $1 in
        --arch) arch=${2:-} ;;
        --version) version=${2:-} ;;
        --saver64) saver64=${2:-} ;;
        --saver32) saver32=${2:-} ;;
        --actions) actions=${2:-} ;;
        -o) output=${2:-} ;;
        *) fail "unknown argument '$1'" ;;
    esac
    shift 2 || fail "$1 needs a value"
done
[[ $arch == x64 || $arch == x86 ]] || fail "--arch x64 or x86"
# MSI reads three numbers, the first two at most 255 and the third at most 65535.
[[ $version =~ ^([0-9]+)\.([0-9]+)\.([0-9]+)$ ]] && ((BASH_REMATCH[1] < 256 &&
    BASH_REMATCH[2] < 256 && BASH_REMATCH[3] < 65536)) || fail "--version MAJOR.MINOR.PATCH, not '$version'"
[[ -n $output ]] || fail "-o OUT.msi"
files=("$saver32" "$actions")
[[ $arch == x64 ]] && files+=("$saver64")
for file in "${files[@]}"; do
    [[ -n $file && -f $file ]] || fail "no such file: '$file' (see the usage at the top)"
done

# A name-based UUID (RFC 4122, version 5) of NAME in the namespace NAMESPACE.
uuid5() {
    local namespace=${1//-/} name=$2 hash variant
    hash=$( { printf "$(sed 's/../\\x&/g' <<<"$namespace")"; printf '%s' "$name"; } | sha1sum)
    variant=$(printf '%x' $(((0x${hash:16:1} & 0x3) | 0x8)))
    printf '%s-%s-5%s-%s%s-%s\n' "${hash:0:8}" "${hash:8:4}" "${hash:13:3}" "$variant" \
        "${hash:17:3}" "${hash:20:12}" | tr a-f A-F
}
productCodes=9D22E11E-FF1C-4265-B571-8921DD211AA0

mkdir -p "$(dirname "$output")"
output=$(realpath "$output")
partial=$output.partial
rm -f "$partial"
# wixl finds files only by names relative to the folder it runs in, so the package's
# files go into one, by the names installer/scintle.wxs uses.
stage=$(mktemp -d)
trap 'rm -rf "$stage" "$partial"' EXIT
mkdir -p "$stage/32-bit" "$stage/64-bit"
cp "$root/resources/scintle.ico" "$stage/"
cp "$actions" "$stage/saver_choice.dll"
cp "$saver32" "$stage/32-bit/scintle.scr"
[[ $arch == x64 ]] && cp "$saver64" "$stage/64-bit/scintle.scr"
(cd "$stage" && wixl -a "$arch" -D "Arch=$arch" -D "Version=$version" \
     -D "ProductCode=$(uuid5 "$productCodes" "$arch $version")" \
     -o "$partial" "$root/installer/scintle.wxs") || fail "wixl could not build $output"

# wixl knows no Secure attribute: SETASSAVER comes from the command line, and Windows
# passes a public property on to the elevated part of the installation only when it
# is listed here.
secure=$(msiinfo export "$partial" Property | awk -F'\t' '$1 == "SecureCustomProperties" {print $2}')
if [[ -n $secure ]]; then
    msibuild "$partial" -q "UPDATE \`Property\` SET \`Value\` = 'SETASSAVER;$secure'
                           WHERE \`Property\` = 'SecureCustomProperties'"
else
    msibuild "$partial" -q "INSERT INTO \`Property\` (\`Property\`, \`Value\`)
                           VALUES ('SecureCustomProperties', 'SETASSAVER')"
fi
mv "$partial" "$output"
