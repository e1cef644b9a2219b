#!/usr/bin/env bash
# The soak: each saver left running as it runs for hours on a machine nobody watches,
# and what it holds at the start and at the end; the growth goes in a summary table.
# ./bench --soak runs it, once it has built what it needs:
#
#   soak.sh [native] [x11] [wine]     the parts (all three by default)
#
#   native  the picture cycle on a memory canvas, SCINTLE_SOAK_PICTURES pictures (3000):
#           resident memory, the heap in use, file descriptors, threads
#   x11     the X11 saver on a virtual display of its own for SCINTLE_SOAK_MINUTES (10),
#           painting with no completion delay and resized every minute: its resident
#           memory, and of it the saver's own (anonymous: heap and stacks; the rest is
#           the image it shares with the server, whose pages count as they are painted),
#           file descriptors, threads and shared memory segments, the X resources of
#           every client of the server (xrestop), and the server's memory
#   wine    the 64-bit Windows saver full screen under Wine for as long: its resident
#           memory and file descriptors, its handles and GDI objects as Windows keeps
#           them (soak-probe.exe), and the X resources of Wine's clients; two
#           screenshots a second apart at the end show that it still paints
#
# The start is taken after a warm-up (the first pictures; 20 s for the savers). Every
# figure is printed as it is taken, and the table is kept in build/soak/summary.md.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
work=$root/build/soak
minutes=${SCINTLE_SOAK_MINUTES:-10}
pictures=${SCINTLE_SOAK_PICTURES:-3000}
warmUp=20
parts=("$@")
((${#parts[@]})) || parts=(native x11 wine)
mkdir -p "$work"
results=$work/results.txt
: >"$results"

fail() { echo "soak: $*" >&2; exit 1; }

# record PART MEASURE START END UNIT: one row of the summary.
record() { echo "$1|$2|$3|$4|$5" >>"$results"; echo "  $2: $3 -> $4 $5"; }

status_field() { awk -v f="$2:" '$1 == f {print $2}' "/proc/$1/status"; }
descriptors() { ls "/proc/$1/fd" 2>/dev/null | wc -l; }
# System V shared memory segments a process made and still holds (marked for removal
# or not).
segments() { awk -v p="$1" 'NR > 1 && $5 == p' /proc/sysvipc/shm | wc -l; }

# X resources of every client of DISPLAY but xrestop itself and the server's own:
# "windows GCs pixmaps bytes".
x_resources() {
    xrestop -b -m 1 2>/dev/null | awk '
        /^[0-9]+ - / { skip = ($3 == "xrestop" || $0 ~ /^0 - /) }
        !skip && $1 == "windows" { w += $3 } !skip && $1 == "GCs" { g += $3 }
        !skip && $1 == "pixmaps" { p += $3 }
        !skip && $1 == "total" { b += substr($4, 2) }
        END { print w + 0, g + 0, p + 0, b + 0 }'
}

# A virtual display of its own; sets DISPLAY and xvfbPid.
xvfbPid=
start_display() {
    local n
    for n in $(seq 251 299); do
        [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] || { export DISPLAY=:$n; break; }
    done
    Xvfb "$DISPLAY" -screen 0 "$1x24" -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
    xvfbPid=$!
    for _ in $(seq 100); do [[ -e /tmp/.X11-unix/X${DISPLAY#:} ]] && break; sleep 0.1; done
    kill -0 "$xvfbPid" 2>/dev/null || fail "Xvfb did not start on $DISPLAY"
}
stop_display() { [[ -n $xvfbPid ]] && kill "$xvfbPid" 2>/dev/null; wait "$xvfbPid" 2>/dev/null; xvfbPid=; }
trap 'stop_display' EXIT

native_part() {
    echo "== native: the picture cycle, $pictures pictures"
    local out
    out=$("$root/build/bench/benchmarks/scintle-soak" "$pictures" 640x480) || fail "scintle-soak failed"
    value() { sed -n "s/^$1=//p" <<<"$out"; }
    local part="native cycle, $(value pictures) pictures at $(value size) in $(value seconds) s"
    record "$part" "resident memory" "$(value start_rss_kb)" "$(value end_rss_kb)" kB
    record "$part" "heap in use" "$(value start_heap_bytes)" "$(value end_heap_bytes)" bytes
    record "$part" "file descriptors" "$(value start_fds)" "$(value end_fds)" ""
    record "$part" "threads" "$(value start_threads)" "$(value end_threads)" ""
}

# saver_holdings PID: "rss anonymous fds threads segments"
saver_holdings() {
    echo "$(status_field "$1" VmRSS) $(status_field "$1" RssAnon) $(descriptors "$1")" \
         "$(status_field "$1" Threads) $(segments "$1")"
}

x11_part() {
    echo "== x11: the X11 saver for $minutes minutes under Xvfb"
    start_display 1280x720
    local err=$work/x11-saver.err
    "$root/build/bench/scintle" --geometry 1280x720 --completion-delay 0 --verbose 2>"$err" &
    local saver=$!
    sleep "$warmUp"
    kill -0 "$saver" 2>/dev/null || fail "the X11 saver ended: $(cat "$err")"
    local window; window=$(xdotool search --name '^Scintle Fractals$' | head -1)
    local startPictures; startPictures=$(grep -c 'picture [0-9]*:' "$err")
    local startSaver startX startServer
    startSaver=$(saver_holdings "$saver") startX=$(x_resources)
    startServer=$(status_field "$xvfbPid" VmRSS)
    local end=$((SECONDS + minutes * 60)) turn=0
    while ((SECONDS < end)); do
        sleep $((end - SECONDS < 60 ? end - SECONDS : 60))
        ((SECONDS < end)) || break
        turn=$((turn + 1))
        if ((turn % 2)); then xdotool windowsize "$window" 1024 600; else xdotool windowsize "$window" 1280 720; fi
    done
    # Back at the start's size, so that the image is the same size at both ends.
    ((turn % 2)) && { xdotool windowsize "$window" 1280 720; sleep 5; }
    local endSaver endX endServer endPictures
    endSaver=$(saver_holdings "$saver") endX=$(x_resources)
    endServer=$(status_field "$xvfbPid" VmRSS)
    endPictures=$(grep -c 'picture [0-9]*:' "$err")
    kill -TERM "$saver"; wait "$saver"; local status=$?
    stop_display
    ((status == 0)) || fail "the X11 saver ended with $status after SIGTERM: $(grep -v picture "$err")"
    local part="X11 saver, $minutes min, $((endPictures - startPictures)) pictures, $turn resizes"
    read -r s1 s2 s3 s4 s5 <<<"$startSaver"; read -r e1 e2 e3 e4 e5 <<<"$endSaver"
    record "$part" "resident memory" "$s1" "$e1" kB
    record "$part" "of it the saver's own (anonymous)" "$s2" "$e2" kB
    record "$part" "file descriptors" "$s3" "$e3" ""
    record "$part" "threads" "$s4" "$e4" ""
    record "$part" "shared memory segments" "$s5" "$e5" ""
    read -r s1 s2 s3 s4 <<<"$startX"; read -r e1 e2 e3 e4 <<<"$endX"
    record "$part" "X windows" "$s1" "$e1" ""
    record "$part" "X GCs" "$s2" "$e2" ""
    record "$part" "X pixmaps" "$s3" "$e3" ""
    record "$part" "X resource bytes" "$s4" "$e4" bytes
    record "$part" "X server's resident memory" "$startServer" "$endServer" kB
}

wine_part() {
    echo "== wine: the 64-bit Windows saver for $minutes minutes under Wine"
    source "$root/tests/wine/wine_loader.sh"
    use_wine 64
    export WINEPREFIX=$work/wine-prefix-64 WINEDEBUG=-all
    start_display 1024x768
    if [[ ! -f $WINEPREFIX/system.reg ]]; then
        echo "  preparing the Wine prefix $WINEPREFIX (once)"
        wine wineboot -i </dev/null >"$work/wineboot.log" 2>&1
    fi
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
    local key='HKCU\software\qentrix\vorbanite\Settings'
    wine reg add "$key" /v CompletionDelay /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1
    wine reg add "$key" /v BlankingMethod /t REG_DWORD /d 7 /f </dev/null >/dev/null 2>&1
    local folder=$work/wine-64
    mkdir -p "$folder"
    cp "$root/build/win64/host/scintle.scr" "$root/build/win64/soak-probe.exe" "$folder/"
    (cd "$folder" && exec "$WINE" scintle.scr /s) </dev/null >/dev/null 2>&1 &
    local saver=$!
    sleep "$warmUp"
    kill -0 "$saver" 2>/dev/null || fail "the Windows saver ended"
    probe() { (cd "$folder" && "$WINE" soak-probe.exe </dev/null 2>/dev/null | tr -d '\r'); }
    local startProbe startSaver startX
    startProbe=$(probe) startSaver=$(saver_holdings "$saver") startX=$(x_resources)
    sleep $((minutes * 60))
    local endProbe endSaver endX painting=no
    endProbe=$(probe) endSaver=$(saver_holdings "$saver") endX=$(x_resources)
    local first; first=$(import -window root png:- | md5sum)
    sleep 1
    [[ $(import -window root png:- | md5sum) != "$first" ]] && painting=yes
    xdotool key space  # as a user ends it
    local waited=0
    while kill -0 "$saver" 2>/dev/null && ((waited < 100)); do sleep 0.1; waited=$((waited + 1)); done
    wait "$saver"; local status=$?
    wineserver -k 2>/dev/null
    stop_display
    ((status == 0)) || fail "the Windows saver ended with $status after a key"
    [[ $painting == yes ]] || fail "the Windows saver was no longer painting at the end"
    local part="Windows saver (64-bit) under Wine, $minutes min, painting to the end"
    probed() { sed -n "s/^$2=//p" <<<"$1"; }
    read -r s1 s2 s3 _ <<<"$startSaver"; read -r e1 e2 e3 _ <<<"$endSaver"
    record "$part" "resident memory" "$s1" "$e1" kB
    record "$part" "of it anonymous" "$s2" "$e2" kB
    record "$part" "file descriptors" "$s3" "$e3" ""
    record "$part" "handles" "$(probed "$startProbe" handles)" "$(probed "$endProbe" handles)" ""
    record "$part" "GDI objects" "$(probed "$startProbe" gdi)" "$(probed "$endProbe" gdi)" ""
    read -r s1 s2 s3 s4 <<<"$startX"; read -r e1 e2 e3 e4 <<<"$endX"
    record "$part" "X windows (Wine's clients)" "$s1" "$e1" ""
    record "$part" "X GCs" "$s2" "$e2" ""
    record "$part" "X pixmaps" "$s3" "$e3" ""
    record "$part" "X resource bytes" "$s4" "$e4" bytes
}

for part in "${parts[@]}"; do
    case $part in
        native|x11|wine) "${part}_part" ;;
        *) fail "no soak part '$part' (native, x11, wine)" ;;
    esac
done

{
    echo
    echo "| Soak | held | at the start | at the end | growth |"
    echo "|---|---|---|---|---|"
    awk -F'|' '{ growth = $4 - $3; printf "| %s | %s | %s %s | %s %s | %+d %s |\n", $1, $2, $3, $5, $4, $5, growth, $5 }' \
        "$results" | sed 's/  *|/ |/g'
} | tee "$work/summary.md"
