#!/usr/bin/env bash
# Takes a picture of the configuration dialog as Wine shows it on a virtual display.
#   dialog_screenshot.sh PROGRAM OUT.png [SESSION_DIR]
# PROGRAM is the Linux path of a Windows program that opens the dialog when started
# with /c (scintle.scr). The session is started and stopped here.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$(realpath "$1")
out=$(realpath -m "$2")
session=${3:-$(dirname "$program")/wine-screenshot}
caption="Scintle Fractals Setup - Version 1.2"

"$here/wine_session.sh" start "$session"
trap '"$here/wine_session.sh" stop "$session"' EXIT
"$here/wine_session.sh" run "$session" wine "$program" /c </dev/null >/dev/null 2>&1 &

window=
for _ in $(seq 150); do
    window=$("$here/wine_session.sh" run "$session" xdotool search --name "^$caption\$" 2>/dev/null |
             head -n1 || true)
    [[ -n $window ]] && break
    sleep 0.2
done
[[ -n $window ]] || { echo "the dialog did not appear" >&2; exit 1; }
# The pointer away from the controls, so that none is drawn highlighted.
"$here/wine_session.sh" run "$session" xdotool mousemove 0 0
sleep 1  # let it finish drawing
mkdir -p "$(dirname "$out")"
"$here/wine_session.sh" run "$session" import -window "$window" "$out"
echo "$out"
