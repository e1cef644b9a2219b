# Set-up, teardown and helpers of the Wine end-to-end tests; sourced by e2e.sh and
# msi.sh, which set `width` and `height` first. Both take COMMAND WORK BITS first.

command=${1:?command}
work=$(realpath -m "${2:?work folder}")
bits=${3:?32 or 64}
state=$work/state
shots=$work/shots

fail() { echo "FAIL: $*" >&2; exit 1; }
note() { echo "  $*"; }

# shellcheck source=wine_loader.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine_loader.sh"
use_wine "$bits"

load_state() {
    [[ -f $state ]] || fail "no Wine set-up in $work (run setup first)"
    # shellcheck disable=SC1090
    source "$state"
    export DISPLAY WINEPREFIX WINEDEBUG=-all
    e2e=$work/e2e
}

# ---------------------------------------------------------------- set-up

free_display() {
    local n
    for n in $(seq 57 99); do
        [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
        echo ":$n"; return
    done
    fail "no free X display number"
}

# Starts an X server (the rest of the command line) on DISPLAY and waits for it; prints
# its process id.
start_server() {  # DISPLAY LOG COMMAND...
    local display=$1 log=$2; shift 2
    "$@" "$display" -nolisten tcp -noreset </dev/null >"$log" 2>&1 &
    local pid=$!
    for _ in $(seq 100); do
        [[ -e /tmp/.X11-unix/X${display#:} ]] && break
        sleep 0.1
    done
    kill -0 $pid 2>/dev/null || fail "$1 did not start on $display"
    echo $pid
}

# The display is one Xvfb screen; with `two-monitors` it is Xephyr (on an Xvfb of its
# own) showing two monitors side by side, the primary on the right: see
# scenario_all_monitors.
setup() {
    local windowsBuild=${1:?windows build} layout=${2:-one-monitor}
    [[ -f $windowsBuild/e2e/scintle_driver.exe ]] || fail "no driver in $windowsBuild/e2e"
    rm -rf "$work"; mkdir -p "$work" "$shots"
    cp -r "$windowsBuild/e2e" "$work/e2e"
    mkdir -p "$work/e2e/bare"  # a folder without the stand-in components
    cp "$work/e2e/scintle.scr" "$work/e2e/scintle_driver.exe" "$work/e2e/bare/"

    local display xvfbPid xephyrPid=
    display=$(free_display) || exit 1
    if [[ $layout == two-monitors ]]; then
        xvfbPid=$(start_server "$display" "$work/xvfb.log" Xvfb -screen 0 1280x600x24) || exit 1
        local host=$display
        display=$(free_display) || exit 1
        # Wine 8 takes its monitors from RandR when the server has it, and the RandR of
        # Xvfb and of Xephyr shows one monitor; without RandR, Wine reads Xinerama.
        # Xvfb's Xinerama puts every screen at 0,0 (Wine sees them as one); Xephyr's
        # -origin places the next screen where it says.
        xephyrPid=$(DISPLAY=$host start_server "$display" "$work/xephyr.log" \
            Xephyr +xinerama -extension RANDR -br \
            -origin "$secondary_width,0" -screen "${primary_width}x$monitor_height" \
            -origin 0,0 -screen "${secondary_width}x$monitor_height") || exit 1
    else
        xvfbPid=$(start_server "$display" "$work/xvfb.log" Xvfb -screen 0 ${width}x${height}x24) || exit 1
    fi
    cat >"$state" <<EOF
DISPLAY=$display
WINEPREFIX=$work/prefix
XVFB_PID=$xvfbPid
XEPHYR_PID=$xephyrPid
EOF
    load_state
    # Whatever Wine leaves running gets no standard stream of ours: the test runner
    # waits for those to close.
    # Now and then Wine's first start in a new prefix cannot load kernel32.dll (status
    # c0000135) and leaves the prefix unusable; a second, fresh prefix starts.
    local try
    for try in 1 2; do
        wine wineboot -i </dev/null >"$work/wineboot.log" 2>&1
        # Without a window manager Wine would wait whenever a window is hidden.
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 &&
            break
        ((try == 1)) || fail "Wine does not start in a new prefix (see $work/wineboot.log)"
        wineserver -k 2>/dev/null
        rm -rf "$WINEPREFIX"
    done
    # A fault that no filter of the program answers goes to the debugger named here;
    # one that cannot start makes UnhandledExceptionFilter answer
    # EXCEPTION_EXECUTE_HANDLER, as a machine without a debugger does.
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
        /v Debugger /d no-debugger-here.exe /f </dev/null >/dev/null 2>&1
    wineserver -w
    check_prefix_kind
    # One server and desktop for all scenarios: no start-up cost for each.
    wineserver -p </dev/null >"$work/wineserver.log" 2>&1
    (cd "$e2e" && wine scintle_driver.exe count </dev/null >/dev/null 2>&1)
    note "display $DISPLAY, prefix $WINEPREFIX"
}

# Every 64-bit Windows carries the 32-bit system (SysWOW64 and the x86 side-by-side
# assemblies), and a 64-bit program can meet its parts by mistake: a manifest naming
# the wrong processor picks the 32-bit common controls, which a 64-bit process cannot
# load. So the 64-bit saver runs in a prefix that has them wherever the machine can
# run 32-bit programs (Wine fills syswow64 when its 32-bit half is installed).
check_prefix_kind() {
    local wow64=0
    if [[ $bits == 64 ]]; then
        if [[ -f $WINEPREFIX/drive_c/windows/syswow64/comctl32.dll ]]; then
            wow64=1
            note "64-bit prefix with the 32-bit system (syswow64), as on 64-bit Windows"
        elif "$_scintle_root/tools/machine_runs_i386.sh"; then
            fail "this machine runs 32-bit programs, but the 64-bit prefix has no syswow64 (is wine32:i386 installed?)"
        else
            note "64-bit prefix without the 32-bit system: this machine cannot run 32-bit programs"
        fi
    fi
    echo "WOW64=$wow64" >>"$state"
}

teardown() {
    [[ -f $state ]] || return 0
    load_state
    wineserver -k 2>/dev/null
    [[ -n $XEPHYR_PID ]] && kill "$XEPHYR_PID" 2>/dev/null
    kill "$XVFB_PID" 2>/dev/null
    rm -f "$state"
}

# ---------------------------------------------------------------- helpers

settings_key='HKCU\software\qentrix\vorbanite\Settings'
desktop_key='HKCU\Control Panel\Desktop'
test_key='HKCU\Software\ScintleTest'

# Runs a Windows program and prints its output. The output goes through a file, not
# a pipe, so that nothing the program leaves running can hold us up.
wine_out() {
    wine "$@" </dev/null >"$work/wine.out" 2>/dev/null
    local status=$?
    tr -d '\r' <"$work/wine.out"
    return $status
}

# Once in a full run, reg.exe failed to write right after another Wine program ended
# (it never did when the scenario ran alone): a second try, said aloud, before failing.
reg_set() {  # KEY NAME TYPE DATA
    wine_out reg add "$1" /v "$2" /t "$3" /d "$4" /f >/dev/null && return
    note "reg add $2 failed once; trying again"
    sleep 1
    wine_out reg add "$1" /v "$2" /t "$3" /d "$4" /f >/dev/null || fail "reg add $2"
}
reg_clear() { wine_out reg delete "$1" /f >/dev/null; true; }
reg_number() {  # KEY NAME -> decimal, or empty
    local hex
    hex=$(wine_out reg query "$1" /v "$2" | awk -v n="$2" '$1 == n {print $3}')
    [[ -n $hex ]] && echo $((hex))
}

fresh_registry() {
    reg_clear "$settings_key"
    reg_clear "$test_key"
    reg_set "$desktop_key" ScreenSaveUsePassword REG_DWORD 0
}

driver() { (cd "$e2e" && wine_out scintle_driver.exe "$@"); }
value_of() { sed -n "s/^$1=//p"; }

saver_pid=
start_saver() {  # FOLDER ARGS...
    local folder=$1; shift
    (cd "$folder" && exec "$WINE" scintle.scr "$@") </dev/null >/dev/null 2>&1 &
    saver_pid=$!
}

running() { kill -0 "$saver_pid" 2>/dev/null; }

# Waits up to SECONDS for the saver to end; sets `ended` to its exit code (as an
# unsigned byte) or to "timeout". Not for a subshell: only this shell can wait for it.
ended=
wait_end() {
    local deadline=$(($(date +%s%N) + $1 * 1000000000))
    while running && (($(date +%s%N) < deadline)); do sleep 0.05; done
    if running; then ended=timeout; return; fi
    wait "$saver_pid"
    ended=$?
    saver_pid=
}

stop_saver() {
    [[ -n $saver_pid ]] || return 0
    running && kill "$saver_pid" 2>/dev/null
    wait "$saver_pid" 2>/dev/null
    saver_pid=
}
trap stop_saver EXIT

shot() { import -window root "$shots/$1.png" && echo "$shots/$1.png"; }

# Pixels that are not black, optionally in a region WxH+X+Y.
lit() {
    local file=$1 region=${2:-}
    if [[ -n $region ]]; then
        convert "$file" -crop "$region" +repage -fill white +opaque black -format '%[fx:round(mean*w*h)]' info:
    else
        convert "$file" -fill white +opaque black -format '%[fx:round(mean*w*h)]' info:
    fi
}

# The 4x4 cells of the screen that hold no lit pixel.
dark_cells() {
    convert "$1" -fill white +opaque black -crop 4x4@ +repage -format '%[fx:mean]\n' info: |
        awk '$1 == 0' | wc -l
}

# Waits until the screen shows something; prints the seconds it took.
wait_lit() {
    local limit=$1 start now
    start=$(date +%s%N)
    while :; do
        local f; f=$(shot waiting)
        [[ $(lit "$f") -gt 0 ]] && break
        now=$(date +%s%N)
        (((now - start) / 1000000000 >= limit)) && { echo never; return; }
        sleep 0.1
    done
    echo "$(( ($(date +%s%N) - start) / 1000000 ))ms"
}

# Waits until two screenshots half a second apart are the same (the picture is done).
# Waits until the screen stops changing: three screenshots in a row, half a second
# apart, alike (a busy machine can hold back the last pixels for a moment).
wait_still() {
    local name=$1 previous current still=0
    previous=$(shot "$name")
    for _ in $(seq 120); do
        sleep 0.5
        current=$(shot "$name-next")
        if [[ $(compare -metric AE "$previous" "$current" null: 2>&1) == 0 ]]; then
            still=$((still + 1))
            if [[ $still -ge 3 ]]; then echo "$previous"; return; fi
        else
            still=0
            mv "$current" "$previous"
        fi
    done
    fail "the picture never settled"
}

# Waits until a window (an X window id) is drawn: two pictures of it in a row, a tenth
# of a second apart, alike and not all one colour. Takes its picture as FILE.
wait_drawn() {  # WINDOW FILE
    local deadline=$((SECONDS + 10)) previous=
    while :; do
        import -window "$1" "$2" 2>/dev/null
        [[ -n $previous && $(convert "$2" -format '%k' info: 2>/dev/null) -gt 1 &&
            $(compare -metric AE "$previous" "$2" null: 2>&1) == 0 ]] && return 0
        ((SECONDS < deadline)) || fail "the window $1 was never drawn"
        previous=$2.before.png; cp "$2" "$previous"
        sleep 0.1
    done
}

# Waits until a region of the screen (WxH+X+Y) has a lit pixel; prints
# the screenshot that showed it, or fails after 10 s.
wait_lit_region() {  # NAME REGION
    local deadline=$((SECONDS + 10)) f
    while f=$(shot "$1"); (($(lit "$f" "$2") == 0)); do
        ((SECONDS < deadline)) || fail "nothing lit in $2 ($1)"
        sleep 0.1
    done
    echo "$f"
}

# A picture that stood still for wait_still while unfinished: on a busy machine the
# render thread can be held back that long, so the caller waits on while it grows.
# (Pixels set into the window reach the screen within Wine's flush of the window
# surface, at the latest when the window thread next waits for a message, which the
# saver's 50 ms timer makes sure of; pixels set before the window was shown are lost
# for good, under Wine as on Windows, which is why the saver's first drawing waits.)
still_but_unfinished() {  # LIT INNER
    note "still for a while at $1 of $2 pixels lit: waiting on while it grows"
}

expect_eq() { [[ "$1" == "$2" ]] || fail "$3: expected '$2', got '$1'"; }
expect_running() { sleep "${2:-0.6}"; running || fail "$1: the saver ended"; }

