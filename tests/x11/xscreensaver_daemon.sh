#!/usr/bin/env bash
# xscreensaver's own daemon running the saver as one of its hacks:
#   xscreensaver_daemon.sh WORK SCINTLE
# Activating it must start scintle drawing into the daemon's window (XSCREENSAVER_WINDOW
# wins over the --root in its command line), and deactivating it must end scintle.
set -uo pipefail
work=${1:?work folder} scintle=$(realpath "${2:?scintle}")
source "$(dirname "$0")/x11_lib.sh"
rm -rf "$work"; mkdir -p "$work"; cd "$work" || exit 1

# Every option our settings panel can write (numbers at their highest) must parse, or
# the hack would quit at once: scintle then gets as far as the display (exit 1, not 2).
options=$(perl -0ne 'for (/<\w+\s[^>]*\barg[^>]*>/g) { my $h = /high="(\d+)"/ ? $1 : "";
    print s/%/$h/r, "\n" for /\barg(?:-set|-unset)?="([^"]*)"/g }' \
    "$(dirname "$0")/../../resources/scintle.xml")
# shellcheck disable=SC2086
env -u DISPLAY -u XSCREENSAVER_WINDOW "$scintle" $options 2>options.err
(($? == 1)) || fail "scintle.xml's options: $(cat options.err)"
note "scintle accepts the panel's $(wc -l <<<"$options") options"

start_xvfb 640x480
daemon=
tmp=$(mktemp -d /tmp/scintle-xss.XXXXXX); chmod 0755 "$tmp"
trap 'status=$?
      ((status)) && [[ -s daemon.log ]] && { note "the daemon log:"; sed "s/^/#   /" daemon.log; }
      kill $daemon $xvfbPid 2>/dev/null; rm -rf "$tmp"' EXIT

# The daemon will not launch hacks as root, so as root it runs as nobody, with a home
# and a copy of scintle that nobody can reach (the build folder may not be).
home=$tmp/home bin=$tmp/bin/scintle
as_user=(env HOME="$home")
if (($(id -u) == 0)); then
    command -v setpriv >/dev/null || fail "running as root without setpriv"
    as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups "${as_user[@]}")
fi
tell() { "${as_user[@]}" xscreensaver-command "-$1" >/dev/null 2>&1 || fail "-$1 failed"; }
mkdir -p "$home" "$tmp/bin" && install -m 0755 "$scintle" "$bin"

# Seed 3 starts with a Julia view in "Valentine", a couple of hundred colours at 640x480.
cat >"$home/.xscreensaver" <<EOF
mode:		one
selected:	0
timeout:	0:01:00
cycle:		0:00:00
lock:		False
splash:		False
fade:		False
unfade:		False
dpmsEnabled:	False
programs:	"Scintle Fractals" $bin --root --seed 3 --completion-delay 30 \\n
EOF
(($(id -u) == 0)) && chown -R 65534:65534 "$home"

"${as_user[@]}" xscreensaver --no-splash --verbose >daemon.log 2>&1 &
daemon=$!

hack_pid() { pgrep -f "^$bin( |\$)"; }
shot() { import -window root "$1" && colours_of "$1"; }

wait_until 20 "${as_user[@]}" xscreensaver-command -time >/dev/null 2>&1 ||
    fail "the daemon did not answer xscreensaver-command"
note "daemon ready; the screen shows $(shot idle.png) colour(s)"
tell activate

wait_until 20 hack_pid >/dev/null || fail "scintle was not started"
pid=$(hack_pid)
note "running as pid $pid: $(tr '\0' ' ' </proc/"$pid"/cmdline)"
window=$(tr '\0' '\n' </proc/"$pid"/environ | sed -n 's/^XSCREENSAVER_WINDOW=//p')
[[ -n $window ]] || fail "no XSCREENSAVER_WINDOW in scintle's environment"
note "XSCREENSAVER_WINDOW=$window"

drawn() { colours=$(shot active.png); ((colours > 100)); }
wait_until 20 drawn || fail "the screen shows $colours colour(s), not a fractal"
note "the screen shows $colours colours"

tell deactivate
gone() { ! kill -0 "$1" 2>/dev/null; }
wait_until 10 gone "$pid" || fail "scintle still there after -deactivate (state $(ps -o stat= -p "$pid"))"
note "scintle ended after -deactivate"
hack_pid >/dev/null && fail "another scintle is running: $(hack_pid)"

tell exit
wait_until 10 gone "$daemon" || fail "the daemon did not exit"
note "the daemon exited"
