#!/usr/bin/env bash
# End-to-end tests of scintle.scr under Wine on a virtual X display (Xvfb).
#
#   e2e.sh setup WORK BITS WINDOWS_BUILD [two-monitors]
#                                          start Xvfb, make a fresh Wine prefix under WORK
#   e2e.sh SCENARIO WORK BITS              run one scenario (see the scenario_* functions)
#   e2e.sh teardown WORK BITS              stop the prefix's wineserver and the Xvfb
#
# BITS (32 or 64) says which Windows build WINDOWS_BUILD is, and so which Wine runs
# it (wine_loader.sh). The 32-bit runs are skipped where 32-bit programs cannot run.
# Xvfb runs with -noreset: a server reset (when its last client leaves) would put the
# pointer back in the middle between two steps of a drift test.
# The display is an odd 1025x769, so that the column and row that 2x2 blocks never
# reach show whether ExtraMemory took effect. Screenshots of every scenario stay in
# WORK/shots/. Input comes from xdotool (real X events) or from the driver.
set -uo pipefail

width=1025
height=769
# The two-monitor display: a secondary monitor left of the primary, the same height.
primary_width=640
secondary_width=512
monitor_height=480

# shellcheck source=e2e_lib.sh
source "$(dirname "$0")/e2e_lib.sh"
shift 3

# ---------------------------------------------------------------- scenarios

# Full screen: the first picture starts within 2 s and shows up scattered over the
# whole screen at once, filling in. Screenshots are taken back to back from the start.
# With a floor of a million iterations a view holding points of the set paints for
# longer than the test watches; some views hold none and are done in a fraction of a
# second, so the shots go on through the next pictures until one is caught filling in.
scenario_paint() {
    fresh_registry
    reg_set "$settings_key" ColourScheme REG_DWORD 1       # Rainbow: painted pixels are lit
    reg_set "$settings_key" CurveType REG_DWORD 1
    reg_set "$settings_key" BlankingMethod REG_DWORD 2     # fast fade: no shot halfway through a fade
    reg_set "$settings_key" MinIterations REG_DWORD 1000000
    local started; started=$(date +%s%N)
    start_saver "$e2e" /s
    local n first= caught= previous=0
    for ((n = 0; n < 60; n++)); do
        local shot=$shots/paint-$n.png
        import -window root "$shot"
        local stamp=$((($(date +%s%N) - started) / 1000000)) count; count=$(lit "$shot")
        if [[ -z $first && $count -gt 0 ]]; then
            first=$n
            note "first pixels in shot $n, ${stamp}ms after the start"
            ((stamp <= 2000)) || fail "the first picture started after ${stamp}ms"
        fi
        # Between 1% (enough to reach every cell) and 90% of the screen, and growing.
        if ((previous >= width * height / 100 && previous < width * height * 9 / 10 &&
             count > previous)); then
            note "shot $((n - 1)): $previous lit pixels; shot $n at ${stamp}ms: $count"
            expect_eq "$(dark_cells "$shots/paint-$((n - 1)).png")" 0 "cells of the screen without a painted pixel"
            caught=$n
            break
        fi
        previous=$count
    done
    [[ -n $first ]] || fail "nothing painted"
    [[ -n $caught ]] || fail "no screenshot caught a picture while it was being painted"
    xdotool key space
    wait_end 5; expect_eq "$ended" 0 "exit code after a key"
}

# A key, or a mouse button, ends the saver at once with 0.
scenario_input() {
    fresh_registry
    xdotool mousemove 500 400
    start_saver "$e2e" /s
    [[ $(wait_lit 5) != never ]] || fail "nothing painted"
    xdotool key a
    wait_end 5; expect_eq "$ended" 0 "exit code after a key press"
    start_saver "$e2e" /s
    [[ $(wait_lit 5) != never ]] || fail "nothing painted"
    xdotool click 1
    wait_end 5; expect_eq "$ended" 0 "exit code after a mouse button"
}

# Pointer drifts: (4, 0) and (2, 2) stay, (3, 2) ends; five single steps, the fifth ends.
scenario_drift() {
    fresh_registry
    xdotool mousemove 400 300
    start_saver "$e2e" /s
    [[ $(wait_lit 5) != never ]] || fail "nothing painted"
    xdotool mousemove 404 300; expect_running "drift (4, 0)"
    xdotool mousemove 402 302; expect_running "drift (2, 2)"
    xdotool mousemove 403 302
    wait_end 5; expect_eq "$ended" 0 "exit code after drift (3, 2)"

    xdotool mousemove 400 300
    start_saver "$e2e" /s
    [[ $(wait_lit 5) != never ]] || fail "nothing painted"
    for step in 1 2 3 4; do
        xdotool mousemove $((400 + step)) 300; expect_running "step $step" 0.4
    done
    xdotool mousemove 405 300
    wait_end 5; expect_eq "$ended" 0 "exit code after the fifth step"
}

# A second /s while one runs returns 0 at once and leaves one saver window.
scenario_single() {
    fresh_registry
    start_saver "$e2e" /s
    [[ $(wait_lit 5) != never ]] || fail "nothing painted"
    local out; out=$(driver run /s 5)
    expect_eq "$(value_of exit <<<"$out")" 0 "exit code of the second start"
    expect_eq "$(value_of windows <<<"$out")" 0 "windows of the second start"
    expect_eq "$(driver count | value_of count)" 1 "full-screen saver windows"
    running || fail "the first saver ended"
    xdotool key a
    wait_end 5; expect_eq "$ended" 0 "exit code of the first"
}

# Preview in a window of the driver's: a "Preview" child filling the area, painting,
# deaf to input, ending with its parent; and /p without a live window ends with -1.
scenario_preview() {
    fresh_registry
    local dir=$work/preview
    rm -rf "$dir"; mkdir -p "$dir"
    local winDir; winDir=$(wine_out winepath -w "$dir")
    (cd "$e2e" && wine scintle_driver.exe preview "$winDir" </dev/null >"$dir/out.raw" 2>/dev/null) &
    local driverPid=$!
    for _ in $(seq 150); do [[ -f $dir/ready ]] && break; sleep 0.1; done
    [[ -f $dir/ready ]] || { cat "$dir/out.raw"; fail "the preview did not come up"; }
    read -r x y w h <"$dir/ready"
    local a; a=$(wait_lit_region preview "${w}x$h+$x+$y") || fail "the preview paints nothing"
    note "preview area ${w}x$h at ($x, $y): $(lit "$a" "${w}x$h+$x+$y") lit pixels"
    xdotool mousemove $((x + 20)) $((y + 20)) sleep 0.1 mousemove $((x + 120)) $((y + 90)) key a
    touch "$dir/go"
    wait "$driverPid"
    local out; out=$(tr -d '\r' <"$dir/out.raw")
    expect_eq "$(value_of preview <<<"$out")" 1 "a preview window in the area"
    expect_eq "$(value_of title <<<"$out")" Preview "preview title"
    expect_eq "$(value_of child <<<"$out")" 1 "preview is a child window"
    expect_eq "$(value_of size <<<"$out")" "$(value_of area <<<"$out")" "preview size"
    expect_eq "$(value_of running_after_input <<<"$out")" 1 "running after input"
    expect_eq "$(value_of exit_after_parent <<<"$out")" 0 "exit code once the parent is gone"
}

# Switches that end with -1 and show nothing.
scenario_invalid() {
    fresh_registry
    local tail out
    for tail in /x '\t/s' '\xe9' '/\x80' /p '/p:123' '/p 99999' '/p\t123'; do
        out=$(driver run "$tail" 10)
        expect_eq "$(value_of exit <<<"$out")" -1 "exit code of '$tail'"
        expect_eq "$(value_of windows <<<"$out")" 0 "windows of '$tail'"
    done
    expect_eq "$(lit "$(shot invalid)")" 0 "lit pixels after the refused starts"
}

# The password gate with a stand-in PASSWORD.CPL.
scenario_password() {
    fresh_registry
    reg_set "$desktop_key" ScreenSaveUsePassword REG_DWORD 1
    reg_set "$test_key" PromptAnswer REG_DWORD 0
    start_saver "$e2e" /s
    [[ $(wait_lit 5) != never ]] || fail "nothing painted"
    xdotool key a
    expect_running "refused prompt"
    expect_eq "$(reg_number "$test_key" PromptCount)" 1 "prompts after one key"
    local a b
    a=$(shot password-frozen-1); sleep 1; b=$(shot password-frozen-2)  # a second of nothing
    expect_eq "$(compare -metric AE "$a" "$b" null: 2>&1)" 0 "pixels changed after a refusal"
    (($(lit "$a") > 0)) || fail "the frozen picture is black"
    # Two presses at once: the second close request comes within 200 ms of the refusal.
    xdotool key --delay 20 b c
    expect_running "two quick presses"
    expect_eq "$(reg_number "$test_key" PromptCount)" 2 "prompts after two quick presses"
    reg_set "$test_key" PromptAnswer REG_DWORD 1
    sleep 0.3  # past the hold-off after the last prompt, a time the gate counts itself
    xdotool key d
    wait_end 5; expect_eq "$ended" 0 "exit code after an accepted password"
    expect_eq "$(reg_number "$test_key" PromptCount)" 3 "prompts in all"

    # Switch off: the first key ends it without a prompt.
    reg_set "$desktop_key" ScreenSaveUsePassword REG_DWORD 0
    start_saver "$e2e" /s
    [[ $(wait_lit 5) != never ]] || fail "nothing painted"
    xdotool key a
    wait_end 5; expect_eq "$ended" 0 "exit code with the switch off"
    expect_eq "$(reg_number "$test_key" PromptCount)" 3 "prompts with the switch off"

    # Switch on but no component next to the saver.
    reg_set "$desktop_key" ScreenSaveUsePassword REG_DWORD 1
    start_saver "$e2e/bare" /s
    [[ $(wait_lit 5) != never ]] || fail "nothing painted"
    xdotool key a
    wait_end 5; expect_eq "$ended" 0 "exit code without the component"
}

# /a with a stand-in MPR.DLL: "SCRSAVE", the right parent, 0 and 0; always exit 0.
# Wine has an mpr.dll of its own and prefers it, so the override picks ours.
scenario_change_password() {
    fresh_registry
    local out
    out=$(WINEDLLOVERRIDES=mpr=n,b driver change-password)
    local owner foreground
    owner=$(value_of owner <<<"$out"); foreground=$(value_of foreground <<<"$out")
    expect_eq "$(value_of exit_with_owner <<<"$out")" 0 "exit code of /a HANDLE"
    expect_eq "$(value_of exit_alone <<<"$out")" 0 "exit code of /a"
    expect_eq "$(value_of args_with_owner <<<"$out")" "SCRSAVE $owner 0 0" "arguments of /a HANDLE"
    expect_eq "$(value_of args_dead_handle <<<"$out")" "SCRSAVE $foreground 0 0" \
        "arguments of /a with a dead handle"
    expect_eq "$(value_of args_alone <<<"$out")" "SCRSAVE $foreground 0 0" "arguments of /a"
    out=$(WINEDLLOVERRIDES=mpr=d driver run '/a 1234' 10)
    expect_eq "$(value_of exit <<<"$out")" 0 "exit code without the component"
}

# The fault guard, in a probe that faults under it on purpose: the platform's report
# is asked, the frames are unwound and the guard returns its fault result. Then in the
# saver itself: a password component that faults inside the saver window's procedure
# ends the saver with -1 and the screen-saver-running state off.
scenario_fault_guard() {
    local out; out=$(cd "$e2e" && wine_out fault_probe.exe)
    expect_eq "$(value_of plain <<<"$out")" 5 "result without a fault"
    expect_eq "$(value_of direct <<<"$out")" -1 "result of a fault"
    expect_eq "$(value_of window_proc <<<"$out")" -1 "result of a fault in a window procedure"
    expect_eq "$(value_of again <<<"$out")" -1 "result of a second guarded fault"
    expect_eq "$(value_of faults <<<"$out")" 3 "faults handled"
    expect_eq "$(value_of reports <<<"$out")" 3 "reports asked for"

    fresh_registry
    reg_set "$desktop_key" ScreenSaveUsePassword REG_DWORD 1
    reg_set "$test_key" PromptAnswer REG_DWORD 0xFA17   # kPromptFaults
    start_saver "$e2e" /s
    [[ $(wait_lit 5) != never ]] || fail "nothing painted"
    expect_eq "$(driver running-state | value_of running)" 1 "running state with the prompt loaded"
    xdotool key a
    wait_end 5; expect_eq "$ended" 255 "exit code after a fault in the prompt"
    expect_eq "$(reg_number "$test_key" PromptCount)" 1 "prompts asked for"
    expect_eq "$(driver running-state | value_of running)" 0 "running state after the fault"
}

# Stored settings take effect: Mono paints black and white only.
scenario_settings_mono() {
    fresh_registry
    reg_set "$settings_key" ColourScheme REG_DWORD 2   # Mono
    start_saver "$e2e" /s
    [[ $(wait_lit 5) != never ]] || fail "nothing painted"
    local f colours deadline=$((SECONDS + 10))
    while f=$(shot settings-mono)
          colours=$(convert "$f" -unique-colors -depth 8 txt:- | awk 'NR > 1 {print $3}' | sort | tr '\n' ' ')
          [[ $colours != *"#FFFFFF"* ]] && ((SECONDS < deadline)); do sleep 0.2; done
    expect_eq "$colours" "#000000 #FFFFFF " "colours under Mono"
    xdotool key a; wait_end 5
}

# A finished Rainbow Mandelbrot picture is lit everywhere but the last column and row,
# which 2x2 blocks never reach (under Rainbow only a Dragon view has black).
scenario_settings_whole_picture() {
    fresh_registry
    reg_set "$settings_key" CurveType REG_DWORD 1
    reg_set "$settings_key" ColourScheme REG_DWORD 1
    reg_set "$settings_key" CompletionDelay REG_DWORD 300
    start_saver "$e2e" /s
    [[ $(wait_lit 5) != never ]] || fail "nothing painted"
    # Still is not always finished: a busy machine can hold the saver back for longer than
    # wait_still looks, so a still picture that is not yet whole gets more time, for as
    # long as it keeps growing (see still_but_unfinished).
    local inner=$(((width - 1) * (height - 1))) f lit region="$((width - 1))x$((height - 1))+0+0"
    local before=-1 deadline=$((SECONDS + 120))
    while f=$(wait_still settings-mandelbrot); lit=$(lit "$f" "$region")
          ((lit < inner && lit > before && SECONDS < deadline)); do
        still_but_unfinished "$lit" "$inner"
        before=$lit
    done
    expect_eq "$lit" $inner "lit pixels of a finished Mandelbrot picture (the dark ones within $(
        convert "$f" -crop "$region" +repage -fill white +opaque black -negate \
            -bordercolor black -border 1 -format '%@' info: 2>/dev/null) of $region, plus 1 each way)"
    expect_eq "$(lit "$f" "1x$height+$((width - 1))+0")" 0 "lit pixels in the last column"
    xdotool key a; wait_end 5
}

# A Dragon view, the one family with black escaped points, under Rainbow.
scenario_settings_dragon() {
    fresh_registry
    reg_set "$settings_key" CurveType REG_DWORD 4          # Dragon only
    reg_set "$settings_key" ColourScheme REG_DWORD 1       # Rainbow: only Dragon has black
    reg_set "$settings_key" CompletionDelay REG_DWORD 300
    start_saver "$e2e" /s
    [[ $(wait_lit 5) != never ]] || fail "nothing painted"
    local inner=$(((width - 1) * (height - 1))) f lit
    f=$(wait_still settings-dragon)
    lit=$(lit "$f" "$((width - 1))x$((height - 1))+0+0")
    note "Dragon picture: $lit of $inner pixels lit"
    ((lit < inner * 95 / 100)) || fail "a finished Rainbow picture without black: not a Dragon view"
    xdotool key a; wait_end 5
}

# The loader looks at the size of a value, not its type: ExtraMemory as 4 bytes of
# another type counts; as 8 bytes it is not read.
scenario_settings_extra_memory() {
    local data expected f
    for data in 01000000:lit 01:lit 0100000000000000:dark; do
        fresh_registry
        reg_set "$settings_key" ColourScheme REG_DWORD 1
        reg_set "$settings_key" CurveType REG_DWORD 1
        reg_set "$settings_key" ExtraMemory REG_BINARY "${data%:*}"
        reg_set "$settings_key" CompletionDelay REG_DWORD 300  # a finished picture stays
        expected=${data#*:}
        start_saver "$e2e" /s
        [[ $(wait_lit 5) != never ]] || fail "nothing painted"
        # A painted last column shows early (the order is scattered); an unpainted one
        # only once the whole picture is there.
        local column deadline=$((SECONDS + 10))
        if [[ $expected == lit ]]; then
            while f=$(shot "settings-extra-${data%:*}"); column=$(lit "$f" "1x$height+$((width - 1))+0")
                  ((column == 0 && SECONDS < deadline)); do sleep 0.2; done
        else
            f=$(wait_still "settings-extra-${data%:*}"); column=$(lit "$f" "1x$height+$((width - 1))+0")
        fi
        note "ExtraMemory as binary ${data%:*}: $column lit pixels in the last column"
        if [[ $expected == lit ]]; then ((column > 0)) || fail "ExtraMemory ${data%:*} was not read"
        else expect_eq "$column" 0 "lit pixels in the last column with 8-byte ExtraMemory"; fi
        xdotool key a; wait_end 5
    done
}

# ---------------------------------------------------------------- configuration dialog

# The configuration dialog of scintle.scr /c, driven by config_dialog_driver.exe
# (win32_config_dialog_driver.cpp): it finds the dialog and its controls by id, reads
# their states, types and clicks with real input, reads the registry, and prints one
# line per check. Each scenario sets up the settings key itself.
dialog_scenario() {
    fresh_registry
    local status=0
    (cd "$e2e" && wine_out config_dialog_driver.exe "$1" scintle.scr) || status=$?
    ((status == 0)) || fail "dialog scenario $1"
}
scenario_dialog_defaults() { dialog_scenario defaults; }
scenario_dialog_select_none() { dialog_scenario select-none; }
scenario_dialog_iteration_bounds() { dialog_scenario iteration-bounds; }
scenario_dialog_delay_entry() { dialog_scenario delay-entry; }
scenario_dialog_stored_delay() { dialog_scenario stored-delay; }
scenario_dialog_cancel() { dialog_scenario cancel; }
scenario_dialog_owner() { dialog_scenario owner; }

# A picture of the dialog with no settings stored (docs/config-dialog.png is one), with
# the banner shown across its top, then Escape from the X keyboard closes it with 0.
scenario_dialog_picture() {
    fresh_registry
    start_saver "$e2e" /c
    local window=
    for _ in $(seq 100); do
        window=$(xdotool search --name '^Scintle Fractals Setup - Version 1\.2$' 2>/dev/null | head -n1)
        [[ -n $window ]] && break
        sleep 0.1
    done
    [[ -n $window ]] || fail "the dialog did not appear"
    xdotool mousemove 0 0   # no control drawn under the pointer
    wait_drawn "$window" "$shots/config-dialog.png"
    note "$shots/config-dialog.png"
    # A strip below the caption: the dialog's grey alone has a colour or two.
    local colours; colours=$(convert "$shots/config-dialog.png" -gravity north -crop 80%x20%+0+40 \
        +repage -unique-colors -format '%w' info:)
    note "$colours colours in the banner's strip"
    ((colours > 20)) || fail "no banner across the top of the dialog"
    xdotool key Escape
    wait_end 5; expect_eq "$ended" 0 "exit code after Escape"
}

# On the two-monitor display (setup ... two-monitors): with AllMonitors the saver's
# window spans both monitors and paints on both; without it, only the primary. A key
# ends it either way.
scenario_all_monitors() {
    local primary="${primary_width}x$monitor_height+$secondary_width+0"
    local secondary="${secondary_width}x$monitor_height+0+0"
    local setting
    for setting in 0 1; do
        fresh_registry
        reg_set "$settings_key" ColourScheme REG_DWORD 1  # Rainbow: painted pixels are lit
        reg_set "$settings_key" AllMonitors REG_DWORD $setting
        reg_set "$settings_key" CompletionDelay REG_DWORD 300  # a finished picture stays
        start_saver "$e2e" /s
        local f; f=$(wait_still "all-monitors-$setting")  # the whole picture
        local window; window=$(xdotool search --name '^Screen Saver$' getwindowgeometry 2>/dev/null |
            awk '/Geometry/ {print $2}')
        local onPrimary onSecondary
        onPrimary=$(lit "$f" "$primary") onSecondary=$(lit "$f" "$secondary")
        note "AllMonitors $setting: window $window; lit pixels $onPrimary on the primary, $onSecondary on the secondary"
        ((onPrimary > 0)) || fail "nothing painted on the primary monitor"
        if ((setting)); then
            expect_eq "$window" "$((primary_width + secondary_width))x$monitor_height" "window size"
            ((onSecondary > 0)) || fail "nothing painted on the secondary monitor"
        else
            expect_eq "$window" "${primary_width}x$monitor_height" "window size"
            expect_eq "$onSecondary" 0 "lit pixels on the secondary monitor"
        fi
        xdotool key space
        wait_end 5; expect_eq "$ended" 0 "exit code after a key"
    done
}

# ---------------------------------------------------------------- system folders

# Installed as on 64-bit Windows: the 64-bit saver in System32, the 32-bit one (from
# WIN32_BUILD) in SysWOW64, where a 32-bit program asking for System32 is led. Each is
# started by its own path as the display settings start it: its dialog works and
# stores into the one settings key both read, and the full-screen saver paints and
# ends on a key, with the password switch on and no password component beside it
# (64-bit Windows has no PASSWORD.CPL).
scenario_system_folders() {
    local win32Build=${1:?the 32-bit Windows build}
    ((bits == 64)) || fail "system_folders runs in the 64-bit prefix"
    if ((!WOW64)); then
        echo "SKIP: the prefix has no 32-bit system: this machine cannot run 32-bit x86 programs (Exec format error)"
        exit 77
    fi
    local windows=$WINEPREFIX/drive_c/windows wine32=/usr/lib/wine/wine
    local installed='C:\windows\system32\scintle.scr'
    cp "$e2e/scintle.scr" "$windows/system32/scintle.scr"
    cp "$win32Build/e2e/scintle.scr" "$windows/syswow64/scintle.scr"
    mkdir -p "$work/e2e32"
    cp "$win32Build/e2e/config_dialog_driver.exe" "$work/e2e32/"

    local size; size=$(WINE=$wine32 wine_out cmd /c "for %I in ($installed) do @echo %~zI")
    expect_eq "$size" "$(stat -c %s "$win32Build/e2e/scintle.scr")" \
        "size of System32's scintle.scr as a 32-bit program sees it (the 32-bit saver's)"

    fresh_registry
    (cd "$e2e" && wine_out config_dialog_driver.exe defaults "$installed") ||
        fail "the 64-bit saver's dialog, from System32"
    fresh_registry
    (cd "$work/e2e32" && WINE=$wine32 wine_out config_dialog_driver.exe defaults "$installed") ||
        fail "the 32-bit saver's dialog, from SysWOW64"
    expect_eq "$(reg_number "$settings_key" AllMonitors)" 1 \
        "AllMonitors stored by the 32-bit dialog, as the 64-bit registry tool reads it"

    local loader
    for loader in "$WINE" "$wine32"; do
        fresh_registry
        reg_set "$desktop_key" ScreenSaveUsePassword REG_DWORD 1
        reg_set "$settings_key" ColourScheme REG_DWORD 1  # Rainbow: painted pixels are lit
        (exec "$loader" "$installed" /s) </dev/null >/dev/null 2>&1 &
        saver_pid=$!
        local painted; painted=$(wait_lit 5)
        note "$(basename "$loader") $installed /s: first pixels after $painted"
        [[ $painted != never ]] || fail "nothing painted"
        shot "system-folders-$(basename "$loader")" >/dev/null
        xdotool key space
        wait_end 5; expect_eq "$ended" 0 "exit code after a key, with the password switch on"
    done
    rm -f "$windows/system32/scintle.scr" "$windows/syswow64/scintle.scr"
}

# ---------------------------------------------------------------- main

case $command in
    setup) setup "$@" ;;
    teardown) teardown ;;
    *)
        declare -F "scenario_$command" >/dev/null || fail "no scenario '$command'"
        load_state
        "scenario_$command" "$@"
        stop_saver
        echo "ok: $command"
        ;;
esac
