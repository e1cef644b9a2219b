#!/usr/bin/env bash
# The MSI packages under Wine on a virtual display (Xvfb), as a user or an
# administrator meets them: msiexec installs, repairs, upgrades and removes them,
# silently (/qn) and with the basic interface (/qb), in a fresh prefix.
#
#   msi.sh setup WORK BITS WINDOWS_BUILD   start Xvfb and a fresh prefix (e2e_lib.sh)
#   msi.sh SCENARIO WORK BITS PACKAGES     one scenario (the scenario_* functions);
#                                          PACKAGES as tests/msi_packages.sh makes it
#   msi.sh teardown WORK BITS
#
# BITS 64 tests the x64 package in a 64-bit prefix (with SysWOW64 wherever the machine
# can run 32-bit programs, as on 64-bit Windows); 32 the x86 package in a 32-bit
# prefix, skipped where 32-bit programs cannot run. Each scenario starts and ends with
# the package not installed. Screenshots stay in WORK/shots/.
#
# What Wine 8's msiexec does (learned here):
# - Its exit status reaches us as the low byte only: 1603 as 67.
# - /f (repair) does nothing useful: with a product code it is not implemented, with a
#   package it fails with 1605. /i PACKAGE REINSTALL=ALL REINSTALLMODE=pecms, what /f
#   sets on Windows, repairs.
# - An upgrade (RemoveExistingProducts) removes the older package with a separate
#   "msiexec /qn /i {code} REMOVE=ALL", without UPGRADINGPRODUCTCODE, so the older
#   package's removal actions run as for a plain removal (installer/scintle.wxs allows
#   for it).
# - The basic interface (/qb) shows no progress window, only message boxes: a launch
#   condition's message or a refused downgrade, titled "Install Failed", waiting for OK.
# - A damaged package (cut short) fails with 1627, where Windows says 1620, and shows
#   no message even with /qb.
# - The programs list (uninstaller --list) reads the Uninstall key, where Wine writes
#   no DisplayIcon; the product's icon is ProductIcon under its Installer\Products key
#   (what MsiGetProductInfo answers), a file in C:\windows\Installer\{product code}.
set -uo pipefail

width=1024
height=768

# shellcheck source=e2e_lib.sh
source "$(dirname "$0")/e2e_lib.sh"
shift 3

# ---------------------------------------------------------------- the package

arch=x64
((bits == 32)) && arch=x86
uninstall_root='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
other_saver='C:\windows\system32\other.scr'

use_packages() {  # PACKAGES
    packages=$(realpath "${1:?packages folder}")
    package=$packages/$arch.msi older=$packages/$arch-older.msi
    [[ -f $package && -f $older ]] || fail "no $arch packages in $packages"
    system=$WINEPREFIX/drive_c/windows/system32 wow64=$WINEPREFIX/drive_c/windows/syswow64
    installed_saver='C:\windows\system32\scintle.scr'
}

property() { msiinfo export "$1" Property | tr -d '\r' | awk -F'\t' -v p="$2" '$1 == p {print $2}'; }
winpath() { local p=${1//\//\\}; echo "Z:$p"; }

# The form of a GUID that the Installer keys use: the first three groups reversed, the
# bytes of the rest with their two digits swapped.
packed() {
    local g=${1//[\{\}-]/} out= i j
    for j in 0:8 8:4 12:4; do
        for ((i = ${j#*:} - 1; i >= 0; i--)); do out+=${g:${j%:*}+i:1}; done
    done
    for ((i = 16; i < 32; i += 2)); do out+=${g:i+1:1}${g:i:1}; done
    echo "$out"
}

msiexec_status=
run_msiexec() {
    wine msiexec "$@" </dev/null >"$work/msiexec.out" 2>&1
    msiexec_status=$?
}
expect_status() { expect_eq "$msiexec_status" $(($1 & 255)) "$2 (msiexec's status, $1 as its low byte)"; }

reg_string() {  # KEY NAME -> the value's data, or nothing
    wine_out reg query "$1" /v "$2" | sed -n "s/^ *$2 \{1,\}REG_[A-Z_]* \{0,4\}//p"
}
reg_drop() { wine_out reg delete "$1" /v "$2" /f >/dev/null; true; }

entries() { wine_out uninstaller --list | grep '|||Scintle Fractals$'; }

same_path() { [[ ${1,,} == "${2,,}" ]]; }

# The package installed, from files of KIND (current or older): the savers in the
# system folders, one entry in the programs list with the package's name, version,
# publisher and icon.
check_installed() {  # PACKAGE KIND
    local msi=$1 kind=$2 code version
    code=$(property "$msi" ProductCode) version=$(property "$msi" ProductVersion)
    cmp -s "$system/scintle.scr" "$packages/files/$kind/$bits-bit/scintle.scr" ||
        fail "System32's scintle.scr is not the $kind $bits-bit saver"
    if [[ $arch == x64 ]]; then
        cmp -s "$wow64/scintle.scr" "$packages/files/$kind/32-bit/scintle.scr" ||
            fail "SysWOW64's scintle.scr is not the $kind 32-bit saver"
    fi
    expect_eq "$(entries)" "$code|||Scintle Fractals" "the programs list"
    local key="$uninstall_root\\$code"
    expect_eq "$(reg_string "$key" DisplayName)" "Scintle Fractals" "DisplayName"
    expect_eq "$(reg_string "$key" DisplayVersion)" "$version" "DisplayVersion"
    expect_eq "$(reg_string "$key" Publisher)" "Scintle Fractals developers" "Publisher"
    local icon
    icon=$(reg_string "HKLM\\Software\\Classes\\Installer\\Products\\$(packed "$code")" ProductIcon)
    [[ -n $icon ]] || fail "no ProductIcon for $code"
    cmp -s "$(wine_out winepath -u "$icon")" "$_scintle_root/resources/scintle.ico" ||
        fail "the programs list's icon $icon is not the saver's"
}

check_not_installed() {
    [[ ! -e $system/scintle.scr ]] || fail "System32 still holds scintle.scr"
    [[ ! -e $wow64/scintle.scr ]] || fail "SysWOW64 still holds scintle.scr"
    expect_eq "$(entries)" "" "the programs list"
}

install_silently() {  # PACKAGE [PROPERTIES...]
    local msi=$1; shift
    run_msiexec /i "$(winpath "$msi")" /qn "$@"
    expect_status 0 "silent install of $(basename "$msi") $*"
}
remove_silently() {
    run_msiexec /x "$(winpath "$package")" /qn
    expect_status 0 "silent removal"
    check_not_installed
}

# A scenario before it starts: nothing installed, whatever an earlier one left.
start_clean() {
    fresh_registry
    local code
    for code in $(entries | cut -d '|' -f 1); do
        note "removing $code, which an earlier scenario left installed"
        run_msiexec /x "$code" /qn
    done
    check_not_installed
}

# The installed saver full screen, started by PATH with LOADER as the platform starts
# it: a picture within 10 seconds (a screenshot NAME), and a key ends it with 0.
show_saver() {  # LOADER PATH NAME
    reg_set "$settings_key" ColourScheme REG_DWORD 1  # Rainbow: painted pixels are lit
    (exec "$1" "$2" /s) </dev/null >/dev/null 2>&1 &
    saver_pid=$!
    local painted; painted=$(wait_lit 10)
    [[ $painted != never ]] || fail "$2 /s painted nothing"
    note "$(basename "$1") $2 /s: first pixels after $painted; $(shot "$3")"
    xdotool key space
    wait_end 5; expect_eq "$ended" 0 "exit code of $2 after a key"
}

# Waits for a message box of msiexec's (run in the background as msiexec_pid), takes
# its picture NAME and answers OK; sets msiexec_status to msiexec's.
answer_message_box() {  # NAME
    local window=
    for _ in $(seq 100); do
        window=$(xdotool search --name '^Install Failed$' 2>/dev/null | head -n1)
        [[ -n $window ]] && break
        sleep 0.1
    done
    [[ -n $window ]] || fail "no message box from msiexec /qb"
    wait_drawn "$window" "$shots/$1.png"
    note "message box: $shots/$1.png"
    xdotool windowactivate --sync "$window" key Return 2>/dev/null || xdotool key Return
    wait "$msiexec_pid"
    msiexec_status=$?
}

# ---------------------------------------------------------------- scenarios

# A silent install puts the savers in the system folders and one entry in the programs
# list, and touches nothing of the user's; the installed savers run full screen.
# Installing the same package again changes nothing; a repair puts a deleted saver back.
scenario_install() {
    start_clean
    reg_set "$desktop_key" SCRNSAVE.EXE REG_SZ "$other_saver"
    install_silently "$package"
    check_installed "$package" current
    expect_eq "$(reg_string "$desktop_key" SCRNSAVE.EXE)" "$other_saver" \
        "the user's screen saver after an install without SETASSAVER"

    show_saver "$WINE" "$installed_saver" "installed-$bits"
    if [[ $arch == x64 ]] && ((WOW64)); then
        # A 32-bit program asking for System32 is led to SysWOW64, to the 32-bit saver.
        show_saver /usr/lib/wine/wine "$installed_saver" installed-32-on-64
    fi

    local before after
    before=$(ls -l --time-style=+%s.%N "$system/scintle.scr" "$wow64/scintle.scr" 2>/dev/null)
    install_silently "$package"
    after=$(ls -l --time-style=+%s.%N "$system/scintle.scr" "$wow64/scintle.scr" 2>/dev/null)
    expect_eq "$after" "$before" "the savers after installing the same package again"
    check_installed "$package" current

    rm "$system/scintle.scr"
    run_msiexec /i "$(winpath "$package")" REINSTALL=ALL REINSTALLMODE=pecms /qn
    expect_status 0 "repair"
    check_installed "$package" current
    expect_eq "$(reg_string "$desktop_key" SCRNSAVE.EXE)" "$other_saver" "the user's screen saver after a repair"
    remove_silently
    expect_eq "$(reg_string "$desktop_key" SCRNSAVE.EXE)" "$other_saver" "the user's screen saver after the removal"
}

# SETASSAVER=1 makes the saver the user's screen saver, by the full path the platform
# starts it with. Removal releases that choice while it names the package's saver
# (however it was written), never another saver the user picked since; a repair does
# not take a later choice back.
scenario_set_as_saver() {
    start_clean
    reg_drop "$desktop_key" SCRNSAVE.EXE
    install_silently "$package" SETASSAVER=1
    local chosen; chosen=$(reg_string "$desktop_key" SCRNSAVE.EXE)
    same_path "$chosen" "$installed_saver" || fail "SCRNSAVE.EXE after SETASSAVER=1: '$chosen'"
    show_saver "$WINE" "$chosen" chosen-$bits

    reg_set "$desktop_key" SCRNSAVE.EXE REG_SZ "$other_saver"
    run_msiexec /i "$(winpath "$package")" REINSTALL=ALL REINSTALLMODE=pecms /qn
    expect_status 0 "repair"
    expect_eq "$(reg_string "$desktop_key" SCRNSAVE.EXE)" "$other_saver" "another saver chosen, after a repair"
    remove_silently
    expect_eq "$(reg_string "$desktop_key" SCRNSAVE.EXE)" "$other_saver" "another saver chosen, after the removal"

    # Chosen by hand, in other letters or through the environment.
    local type value
    for type in REG_SZ REG_EXPAND_SZ; do
        value=${installed_saver^^}
        [[ $type == REG_EXPAND_SZ ]] && value='%SystemRoot%\system32\scintle.scr'
        install_silently "$package"
        reg_set "$desktop_key" SCRNSAVE.EXE $type "$value"
        remove_silently
        expect_eq "$(reg_string "$desktop_key" SCRNSAVE.EXE)" "" "the saver chosen by hand as $type $value, after the removal"
    done

    install_silently "$package" SETASSAVER=1
    remove_silently
    expect_eq "$(reg_string "$desktop_key" SCRNSAVE.EXE)" "" "the saver chosen with SETASSAVER=1, after the removal"
}

# A newer package replaces an older one: one entry, the new files, the user's choice of
# screen saver as it was (this saver, or another); the older package is then refused.
scenario_upgrade() {
    start_clean
    reg_drop "$desktop_key" SCRNSAVE.EXE
    install_silently "$older" SETASSAVER=1
    check_installed "$older" older
    install_silently "$package"
    check_installed "$package" current
    local chosen; chosen=$(reg_string "$desktop_key" SCRNSAVE.EXE)
    same_path "$chosen" "$installed_saver" || fail "SCRNSAVE.EXE after the upgrade: '$chosen'"
    run_msiexec /i "$(winpath "$older")" /qn
    expect_status 1603 "installing the older package over the newer"
    check_installed "$package" current
    remove_silently

    install_silently "$older" SETASSAVER=1
    reg_set "$desktop_key" SCRNSAVE.EXE REG_SZ "$other_saver"
    install_silently "$package"
    check_installed "$package" current
    expect_eq "$(reg_string "$desktop_key" SCRNSAVE.EXE)" "$other_saver" "another saver chosen, after the upgrade"
    remove_silently
}

# The registry and drive C's files, to compare before an install and after the
# removal: NAME-keys holds HKEY_LOCAL_MACHINE's keys and HKEY_CURRENT_USER whole,
# NAME-hklm HKEY_LOCAL_MACHINE whole, NAME-files the files. Windows Installer's own
# containers (Installer, UserData, Products, UpgradeCodes, ...) are left out: Wine
# makes them for the first package a prefix installs, and they stay, as on Windows.
snapshot() {  # NAME
    local hive
    for hive in HKLM HKCU; do
        wine_out reg export "$hive" "$(winpath "$work/$1-$hive.reg")" /y >/dev/null ||
            fail "reg export $hive"
    done
    iconv -f UTF-16 -t UTF-8 "$work/$1-HKLM.reg" | tr -d '\r' >"$work/$1-hklm"
    grep '^\[' "$work/$1-hklm" |
        grep -v -E '\\(Classes\\Installer|Installer\\UserData(\\S-1-5-18)?|Installer(\\UserData\\S-1-5-18)?\\(Products|Components|Features|UpgradeCodes|Patches))\]$' \
        >"$work/$1-keys"
    iconv -f UTF-16 -t UTF-8 "$work/$1-HKCU.reg" | tr -d '\r' >>"$work/$1-keys"
    (cd "$WINEPREFIX/drive_c" && find . -path ./windows/temp -prune -o -path './users/*/Temp' -prune \
        -o -type f -print | LC_ALL=C sort) >"$work/$1-files"
}

# A silent removal leaves no file, no entry and no registry key of the package's, and
# no screen saver naming a deleted file; the user's own saver settings, older than the
# package or written while it was installed, stay.
scenario_remove() {
    start_clean
    reg_drop "$desktop_key" SCRNSAVE.EXE
    reg_set "$settings_key" ColourScheme REG_DWORD 2
    snapshot before
    install_silently "$package" SETASSAVER=1
    check_installed "$package" current
    local code; code=$(property "$package" ProductCode)
    reg_set "$settings_key" CurveType REG_DWORD 4  # the user's dialog, meanwhile
    remove_silently
    [[ ! -e $WINEPREFIX/drive_c/windows/Installer/$code ]] || fail "C:\\windows\\Installer\\$code is left"
    expect_eq "$(reg_number "$settings_key" ColourScheme)" 2 "the user's ColourScheme"
    expect_eq "$(reg_number "$settings_key" CurveType)" 4 "the user's CurveType, set while installed"
    reg_clear "$settings_key"
    reg_set "$settings_key" ColourScheme REG_DWORD 2
    snapshot after
    diff "$work/before-keys" "$work/after-keys" >"$work/keys.diff" ||
        fail "the registry differs after the removal: $(head -n 20 "$work/keys.diff")"
    diff "$work/before-files" "$work/after-files" >"$work/files.diff" ||
        fail "drive C differs after the removal: $(head -n 20 "$work/files.diff")"
    # Values of HKEY_LOCAL_MACHINE that are new since and name the package.
    local names="scintle|${code//[\{\}]/}|$(packed "$code")|$(packed "$(property "$package" UpgradeCode)")"
    LC_ALL=C comm -13 <(LC_ALL=C sort "$work/before-hklm") <(LC_ALL=C sort "$work/after-hklm") |
        grep -i -E "$names" >"$work/left.txt" && fail "the registry still names the package: $(head -n 5 "$work/left.txt")"
    true
}

# The basic interface (/qb): install, repair and removal work; a refused package
# shows msiexec's message box (pictures in WORK/shots/) and changes nothing.
scenario_basic_ui() {
    start_clean
    run_msiexec /i "$(winpath "$package")" /qb
    expect_status 0 "install with the basic interface"
    check_installed "$package" current
    rm "$system/scintle.scr"
    run_msiexec /i "$(winpath "$package")" REINSTALL=ALL REINSTALLMODE=pecms /qb
    expect_status 0 "repair with the basic interface"
    check_installed "$package" current

    wine msiexec /i "$(winpath "$older")" /qb </dev/null >/dev/null 2>&1 &
    msiexec_pid=$!
    answer_message_box basic-ui-downgrade-$arch
    expect_status 1603 "the older package with the basic interface"
    check_installed "$package" current

    if [[ $arch == x64 ]]; then
        wine msiexec /i "$(winpath "$packages/x86.msi")" /qb </dev/null >/dev/null 2>&1 &
        msiexec_pid=$!
        answer_message_box basic-ui-x86-on-64-bit
        expect_status 1603 "the x86 package on 64-bit Windows"
        check_installed "$package" current
    fi

    run_msiexec /x "$(winpath "$package")" /qb
    expect_status 0 "removal with the basic interface"
    check_not_installed
}

# Packages that must not install: one cut short (as by a broken download) gets
# msiexec's own error, and on 64-bit Windows the x86 package is refused by its launch
# condition; neither changes anything.
scenario_bad_packages() {
    start_clean
    local damaged=$work/damaged.msi
    head -c $(($(stat -c %s "$package") / 2)) "$package" >"$damaged"
    run_msiexec /i "$(winpath "$damaged")" /qn
    ((msiexec_status == (1620 & 255) || msiexec_status == (1627 & 255))) ||
        fail "a damaged package: msiexec's status $msiexec_status, not 1620 or 1627 (as its low byte)"
    check_not_installed
    if [[ $arch == x64 ]]; then
        run_msiexec /i "$(winpath "$packages/x86.msi")" /qn
        expect_status 1603 "the x86 package on 64-bit Windows"
        check_not_installed
    fi
}

# ---------------------------------------------------------------- main

case $command in
    setup) setup "$@" ;;
    teardown) teardown ;;
    *)
        declare -F "scenario_$command" >/dev/null || fail "no scenario '$command'"
        load_state
        use_packages "$@"
        "scenario_$command"
        stop_saver
        echo "ok: $command"
        ;;
esac
