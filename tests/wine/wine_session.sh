#!/usr/bin/env bash
# A private Wine session for the end-to-end tests: an Xvfb server on a free display and
# a 32-bit Wine prefix, both kept in one directory so that parallel sessions of other
# builds or developers never meet.
#
#   wine_session.sh start DIR         start Xvfb, create the prefix if needed
#   wine_session.sh run DIR CMD...    run a command inside the session
#   wine_session.sh stop DIR          stop this prefix's wineserver and this Xvfb
set -euo pipefail

action=$1
dir=$(mkdir -p "$2" && cd "$2" && pwd)
shift 2

export WINEPREFIX="$dir/prefix" WINEARCH=win32 WINEDEBUG=-all
# No prompts to install .NET or the HTML engine while the prefix is created.
export WINEDLLOVERRIDES="mscoree,mshtml="

case "$action" in
start)
    if [[ -f "$dir/xvfb.pid" ]] && kill -0 "$(cat "$dir/xvfb.pid")" 2>/dev/null; then
        exit 0
    fi
    rm -f "$dir/display"
    # -displayfd picks a free display and writes its number once the server is ready.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$dir/display" \
        </dev/null >"$dir/xvfb.log" 2>&1 &
    echo $! >"$dir/xvfb.pid"
    for _ in $(seq 100); do
        [[ -s "$dir/display" ]] && break
        sleep 0.1
    done
    [[ -s "$dir/display" ]] || { echo "Xvfb did not start" >&2; cat "$dir/xvfb.log" >&2; exit 1; }
    export DISPLAY=":$(head -n1 "$dir/display")"
    # Whatever Wine leaves running gets none of our standard streams: the test runner
    # waits for those to close.
    if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
        wineboot -i </dev/null >"$dir/wineboot.log" 2>&1 || true
        # There is no window manager on Xvfb: Wine draws the frames itself, so that
        # captions and close boxes are there to be seen and clicked.
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f \
            </dev/null >/dev/null 2>&1
    fi
    wineserver -w
    # One server and desktop for the whole session, started here, off the runner's pipes.
    wineserver -p </dev/null >"$dir/wineserver.log" 2>&1
    wine cmd /c exit </dev/null >/dev/null 2>&1 || true
    ;;
run)
    export DISPLAY=":$(head -n1 "$dir/display")"
    exec "$@"
    ;;
stop)
    wineserver -k 2>/dev/null || true
    if [[ -f "$dir/xvfb.pid" ]]; then
        kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true
        rm -f "$dir/xvfb.pid"
    fi
    ;;
*)
    echo "usage: $0 start|run|stop DIR [command...]" >&2
    exit 2
    ;;
esac
