#!/usr/bin/env bash
# Makes the MSI packages the tests install, with tools/make_msi.sh as ./package does,
# from the Windows builds beside this one:
#
#   OUT/x64.msi, OUT/x86.msi              this version, as ./package makes them
#   OUT/x64-older.msi, OUT/x86-older.msi  a lower version, for the upgrade
#   OUT/files/{current,older}/{32-bit,64-bit}/scintle.scr   what each was made from
#
# The older packages carry the same savers with a few bytes appended (a Windows
# program runs with bytes after its end), so that an upgrade shows whose files are in
# place.
#
#   msi_packages.sh OUT VERSION WIN32_BUILD WIN64_BUILD
set -euo pipefail
out=${1:?output folder} version=${2:?version} win32=${3:?32-bit build} win64=${4:?64-bit build}
makeMsi=$(dirname "$0")/../tools/make_msi.sh
saver_in() { echo "$1/host/scintle.scr"; }
actions_in() { echo "$1/installer/saver_choice.dll"; }

# One below VERSION: 1.2.0 gives 1.1.0, 1.0.3 gives 1.0.2, 2.0.0 gives 1.0.0.
IFS=. read -r major minor patch <<<"$version"
if ((minor > 0)); then older=$major.$((minor - 1)).0
elif ((patch > 0)); then older=$major.$minor.$((patch - 1))
else older=$((major - 1)).0.0; fi

rm -rf "$out"
mkdir -p "$out/files/current/32-bit" "$out/files/current/64-bit" \
         "$out/files/older/32-bit" "$out/files/older/64-bit"
for bits in 32 64; do
    build=$win32
    ((bits == 64)) && build=$win64
    cp "$(saver_in "$build")" "$out/files/current/$bits-bit/scintle.scr"
    { cat "$(saver_in "$build")"; printf 'Scintle Fractals %s' "$older"; } \
        >"$out/files/older/$bits-bit/scintle.scr"
done

for kind in current older; do
    files=$out/files/$kind suffix= packageVersion=$version
    [[ $kind == older ]] && suffix=-older packageVersion=$older
    "$makeMsi" --arch x64 --version "$packageVersion" --saver64 "$files/64-bit/scintle.scr" \
               --saver32 "$files/32-bit/scintle.scr" --actions "$(actions_in "$win64")" \
               -o "$out/x64$suffix.msi"
    "$makeMsi" --arch x86 --version "$packageVersion" --saver32 "$files/32-bit/scintle.scr" \
               --actions "$(actions_in "$win32")" -o "$out/x86$suffix.msi"
done
echo "made $(cd "$out" && echo *.msi) ($version, and $older as the older)"
