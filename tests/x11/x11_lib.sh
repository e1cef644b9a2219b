# Helpers of the X11 saver's tests, sourced by their scripts: a private Xvfb, waiting,
# failing. A script sets `work` (its scratch folder) before calling start_xvfb.

fail() { echo "FAIL: $*" >&2; exit 1; }
note() { echo "# $*"; }

# start_xvfb SIZE [OPTION...]: Xvfb on a free display number with one screen of SIZE
# (WxH, depth 24) and the options; exports DISPLAY; it is killed when the script exits. Tests run in parallel may pick
# the same number: the server's lock file (holding its pid) says which one got it, and
# the other moves on to the next number.
start_xvfb() {
    local size=${1:-1280x720} n lockPid
    shift
    xvfbPid=
    trap 'kill $(jobs -p) 2>/dev/null; kill $xvfbPid 2>/dev/null' EXIT
    for n in $(seq 120 199); do
        [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
        export DISPLAY=:$n
        Xvfb "$DISPLAY" -screen 0 "${size}x24" -nolisten tcp -noreset "$@" </dev/null \
            >"$work/xvfb.log" 2>&1 &
        xvfbPid=$!
        for _ in $(seq 100); do
            lockPid=0; read -r lockPid 2>/dev/null <"/tmp/.X$n-lock"
            ((lockPid == xvfbPid)) && xdpyinfo >/dev/null 2>&1 && return 0
            ((lockPid != 0 && lockPid != xvfbPid)) && break
            kill -0 $xvfbPid 2>/dev/null || break
            sleep 0.1
        done
        kill $xvfbPid 2>/dev/null
        ((lockPid != 0 && lockPid != xvfbPid)) || break
    done
    fail "Xvfb did not start on $DISPLAY: $(cat "$work/xvfb.log")"
}

# wait_until SECONDS COMMAND...: true as soon as COMMAND succeeds, false after SECONDS.
wait_until() {
    local deadline=$((SECONDS + $1)); shift
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.1
    done
}

# The number of distinct colours in a PNG (or in a window: import's "-window ID").
colours_of() { convert "$1" -format '%k' info:; }

# shot_of WINDOW FILE: the window's area of the screen (import's own reading of some
# windows comes out cut short).
shot_of() {
    local x y w h
    # xwininfo gives the outer corner: the inside begins a border's width further on.
    read -r x y w h < <(xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF}
        /Absolute upper-left Y/ {y=$NF} /Width:/ {w=$NF} /Height:/ {h=$NF}
        /Border width:/ {b=$NF} END {print x + b, y + b, w, h}')
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$2"
}
