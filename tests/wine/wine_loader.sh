# Which Wine runs a Windows build of one bitness; sourced by the Wine tests and ./run.
#
#   use_wine 32|64   sets WINE (the loader to call), WINEARCH (the kind of prefix it
#                    needs) and, for 64, WINELOADER; for 32 on a machine that cannot
#                    run 32-bit programs, prints why and exits 77, which the test
#                    runner reports as a skipped test.
#   wine ARGS...     runs ARGS with that loader (programs, and wineboot, reg, winepath)
#
# Debian's /usr/bin/wine takes the 32-bit loader whenever it is installed, whatever
# the program, and the 64-bit loader cannot make a 32-bit (win32) prefix: each build
# gets its own loader and its own prefix.
_scintle_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

use_wine() {
    case $1 in
        64) WINE=/usr/lib/wine/wine64 WINEARCH=win64
            export WINELOADER=$WINE ;;
        32) if ! "$_scintle_root/tools/machine_runs_i386.sh"; then
                echo "SKIP: this machine cannot run 32-bit x86 programs (Exec format error), so 32-bit Wine cannot start"
                exit 77
            fi
            WINE=/usr/lib/wine/wine WINEARCH=win32 ;;
        *) echo "use_wine: 32 or 64, not '$1'" >&2; exit 2 ;;
    esac
    [[ -x $WINE ]] || { echo "no $WINE: Wine for $1-bit programs is not installed" >&2; exit 1; }
    export WINE WINEARCH
}

wine() { "$WINE" "$@"; }
