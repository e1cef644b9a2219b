#!/usr/bin/env bash
# The Windows saver's drawing cost: the 64-bit saver full screen under Wine, its render
# thread seeded (scintle-draw-bench.exe, benchmarks/win32_draw_bench.cpp), against the
# same pictures painted into a memory canvas in the same process. ./bench runs it on
# its virtual display once it has built the program:
#
#   DISPLAY=:N SCINTLE_BENCH_XSERVER_PID=PID wine_draw_bench.sh PROGRAM
#
# SCINTLE_DRAW_PICTURES pictures (8) are timed after a first one, from seed
# SCINTLE_DRAW_SEED (2026), with no completion delay and the other settings at their
# defaults; three turns, the best of each figure kept. Prints a table: per picture, the
# CPU time of the saver's process, of wineserver and of the X server, and pixels per
# second of wall time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program=$(realpath "${1:?usage: wine_draw_bench.sh PROGRAM}")
pictures=${SCINTLE_DRAW_PICTURES:-8} seed=${SCINTLE_DRAW_SEED:-2026} turns=3
work=$root/build/bench/wine-draw
mkdir -p "$work"

source "$root/tests/wine/wine_loader.sh"
use_wine 64
export WINEPREFIX=$work/prefix WINEDEBUG=-all

fail() { echo "wine_draw_bench: $*" >&2; exit 1; }

if [[ ! -f $WINEPREFIX/system.reg ]]; then
    echo "preparing the Wine prefix $WINEPREFIX (once)"
    wine wineboot -i </dev/null >"$work/wineboot.log" 2>&1 || fail "wineboot failed (see $work/wineboot.log)"
fi
# Without a window manager Wine would wait whenever a window is hidden.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
wine reg add 'HKCU\software\qentrix\vorbanite\Settings' /v CompletionDelay /t REG_DWORD /d 0 /f \
    </dev/null >/dev/null 2>&1
wineserver -w
# One server for the turns, in the foreground so that its process is ours to read.
wineserver -f -p </dev/null >"$work/wineserver.log" 2>&1 &
wineserverPid=$!
trap 'wineserver -k 2>/dev/null; wait "$wineserverPid" 2>/dev/null' EXIT

SCINTLE_BENCH_CLOCK_TICKS=$(getconf CLK_TCK)
export SCINTLE_BENCH_WINESERVER_PID=$wineserverPid SCINTLE_BENCH_CLOCK_TICKS
cp "$program" "$work/"
results=$work/results.txt
: >"$results"
for turn in $(seq "$turns"); do
    (cd "$work" && "$WINE" "$(basename "$program")" "$pictures" "$seed") </dev/null 2>"$work/run.err" |
        tr -d '\r' >"$work/turn.txt" || fail "the saver's run failed: $(cat "$work/run.err")"
    grep -q '^same_pixels=1$' "$work/turn.txt" ||
        fail "the window's last picture is not the memory canvas's (turn $turn)"
    sed "s/^/$turn /" "$work/turn.txt" >>"$results"
done

# best KEY: the smallest value of KEY over the turns.
best() { awk -v k="$1" '{ split($2, f, "=") } f[1] == k && (min == "" || f[2] < min) { min = f[2] } END { print min }' "$results"; }
value() { awk -v k="$1" '{ split($2, f, "=") } f[1] == k { print f[2]; exit }' "$results"; }
width=$(value width) height=$(value height)
echo
echo "Windows saver (64-bit) under $("$WINE" --version), full screen at ${width}x$height, kernel $(value kernel):"
echo "$pictures pictures of the cycle from seed $seed, best of $turns turns; CPU seconds per picture."
echo
echo "| Drawn into | saver's process | wineserver | X server | all | pixels/s (wall) |"
echo "|---|---|---|---|---|---|"
for pass in memory window; do
    awk -v name="$pass" -v n="$pictures" -v pixels=$((width * height)) \
        -v cpu="$(best "${pass}_cpu_s")" -v wineserver="$(best "${pass}_wineserver_cpu_s")" \
        -v server="$(best "${pass}_x_server_cpu_s")" -v wall="$(best "${pass}_wall_s")" 'BEGIN {
        label = name == "memory" ? "memory canvas" : "the saver'\''s window (GDI)"
        printf "| %s | %.3f s | %.3f s | %.3f s | %.3f s | %.1f M |\n", label, cpu / n,
               wineserver / n, server / n, (cpu + wineserver + server) / n, n * pixels / wall / 1e6 }'
done
