#!/usr/bin/env bash
# The MSI packages' databases, read with msitools (msiinfo, msidump) as an
# administrator inspecting them would: the files and folders of each architecture,
# the identity that upgrades rely on (one upgrade code per architecture that never
# changes, a product code for each version), the custom actions in their place and
# of the package's processor, the icon, and no registry row of MSI's own.
#
#   msi_database_test.sh PACKAGES VERSION     PACKAGES as tests/msi_packages.sh makes it
set -euo pipefail
packages=${1:?packages folder} version=${2:?version}
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
expect_eq() { [[ "$1" == "$2" ]] || fail "$3: expected '$2', got '$1'"; }

# Upgrades find an installed package by these; a change strands every installed copy.
declare -A upgradeCode=([x64]='{6C40CD2E-007F-4B26-8BEA-65537FC2F7B9}'
                        [x86]='{DFEF36EB-7392-44C2-A0A9-EE6B607BBCE0}')

dump() {  # PACKAGE -> folder of its tables as .idt files
    local dir=$work/dump-$(sha1sum <<<"$1" | cut -c1-12)
    # Inside the folder: msidump writes the streams of binary columns below the
    # current one, whatever -d says.
    [[ -d $dir ]] || { mkdir -p "$dir" && (cd "$dir" && msidump -d . "$(realpath "$1")" >/dev/null); } ||
        fail "msidump cannot read $1"
    echo "$dir"
}
# The rows of TABLE (the three header lines left out), tab-separated.
rows() { tail -n +4 "$(dump "$1")/$2.idt" | tr -d '\r'; }
property() { rows "$1" Property | awk -F'\t' -v p="$2" '$1 == p {print $2}'; }
sequence_of() { rows "$1" InstallExecuteSequence | awk -F'\t' -v a="$2" '$1 == a {print $3}'; }

for arch in x64 x86; do
    current=$packages/$arch.msi older=$packages/$arch-older.msi
    for package in "$current" "$older"; do
        [[ -f $package ]] || fail "no $package"
        expect_eq "$(property "$package" UpgradeCode)" "${upgradeCode[$arch]}" "upgrade code of $(basename "$package")"
        expect_eq "$(property "$package" ProductName)" "Scintle Fractals" "product name"
        expect_eq "$(property "$package" Manufacturer)" "Scintle Fractals developers" "publisher"
        expect_eq "$(property "$package" ALLUSERS)" 1 "ALLUSERS (installed for the machine)"
    done
    expect_eq "$(property "$current" ProductVersion)" "$version" "version of $arch.msi"
    [[ $(property "$current" ProductCode) != "$(property "$older" ProductCode)" ]] ||
        fail "$arch: the older version has the same product code"

    # Platform and schema, as Windows reads them before it opens the tables.
    template=$(msiinfo suminfo "$current" | sed -n 's/^Template: //p')
    expected=Intel
    [[ $arch == x64 ]] && expected=x64
    expect_eq "$template" "$expected;1033" "$arch: Template of the summary"

    # Each saver in its system folder, a 64-bit component for the 64-bit one only.
    files=$(rows "$current" File | awk -F'\t' '{print $2, $3, $4}' | sort)
    components=$(rows "$current" Component | awk -F'\t' '{print $1, $3, $4}' | sort)
    saver32=$(stat -c %s "$packages/files/current/32-bit/scintle.scr")
    if [[ $arch == x64 ]]; then
        saver64=$(stat -c %s "$packages/files/current/64-bit/scintle.scr")
        expect_eq "$files" "Saver32 scintle.scr $saver32
Saver64 scintle.scr $saver64" "x64: files (component, name, size)"
        expect_eq "$components" "Saver32 SystemFolder 0
Saver64 System64Folder 256" "x64: components (folder, attributes)"
    else
        expect_eq "$files" "Saver32 scintle.scr $saver32" "x86: files"
        expect_eq "$components" "Saver32 SystemFolder 0" "x86: components"
        rows "$current" LaunchCondition | grep -q $'^NOT VersionNT64\t' ||
            fail "x86: no launch condition refusing 64-bit Windows"
    fi

    # Older versions are replaced; a newer one is only detected, which refuses this.
    expect_eq "$(rows "$current" Upgrade | awk -F'\t' '{print $1, $2 "-" $3, $5, $7}' | sort)" \
        "${upgradeCode[$arch]} -$version 1 WIX_UPGRADE_DETECTED
${upgradeCode[$arch]} $version- 2 WIX_DOWNGRADE_DETECTED" "$arch: Upgrade table"

    # Nothing in the Registry table: the one value written for the user is the custom
    # actions', and only on request.
    expect_eq "$(rows "$current" Registry)" "" "$arch: Registry rows"
    [[ $(property "$current" SecureCustomProperties) == *SETASSAVER* ]] ||
        fail "$arch: SETASSAVER is not a secure property"

    # The deferred actions inside the transaction, after the files are in place or
    # gone; their data set before it; an older version removed before any file moves.
    initialize=$(sequence_of "$current" InstallInitialize) finalize=$(sequence_of "$current" InstallFinalize)
    for action in SelectSaver ReleaseSaver; do
        at=$(sequence_of "$current" $action) data=$(sequence_of "$current" ${action}Data)
        ((at > $(sequence_of "$current" InstallFiles) && at > $(sequence_of "$current" RemoveFiles) &&
          at < finalize)) || fail "$arch: $action at $at, not between the files and InstallFinalize"
        ((data > $(sequence_of "$current" CostFinalize) && data < initialize)) ||
            fail "$arch: ${action}Data at $data, not between CostFinalize and InstallInitialize"
    done
    at=$(sequence_of "$current" RemoveExistingProducts)
    ((at > initialize && at < $(sequence_of "$current" ProcessComponents))) ||
        fail "$arch: RemoveExistingProducts at $at, not right after InstallInitialize"

    # The custom actions' DLL is of the package's processor, and the icon is the saver's.
    msiinfo extract "$current" Binary.SaverChoice >"$work/actions.dll"
    expected='PE32 executable (DLL)*Intel 80386*'
    [[ $arch == x64 ]] && expected='PE32+ executable (DLL)*x86-64*'
    # shellcheck disable=SC2053
    [[ $(file -b "$work/actions.dll") == $expected ]] ||
        fail "$arch: the custom actions are '$(file -b "$work/actions.dll")'"
    expect_eq "$(property "$current" ARPPRODUCTICON)" scintle.ico "$arch: ARPPRODUCTICON"
    msiinfo extract "$current" Icon.scintle.ico | cmp -s - "$root/resources/scintle.ico" ||
        fail "$arch: the programs list's icon is not resources/scintle.ico"
done

[[ $(property "$packages/x64.msi" ProductCode) != "$(property "$packages/x86.msi" ProductCode)" ]] ||
    fail "x64 and x86 share a product code"
# The same version made again keeps its product code: installed over the first, it is
# the same product, never a second entry in the programs list.
msiinfo extract "$packages/x86.msi" Binary.SaverChoice >"$work/saver_choice.dll"
"$root/tools/make_msi.sh" --arch x86 --version "$version" --saver32 "$packages/files/current/32-bit/scintle.scr" \
    --actions "$work/saver_choice.dll" -o "$work/again/x86.msi"
expect_eq "$(property "$work/again/x86.msi" ProductCode)" "$(property "$packages/x86.msi" ProductCode)" \
    "product code of the same version made again"
echo "MSI databases checked: x64 and x86, $version and older"
