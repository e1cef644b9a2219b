#!/usr/bin/env bash
# Runs one scenario of the configuration dialog driver inside a Wine session.
#   run_dialog_scenario.sh SESSION_DIR DRIVER PROGRAM SCENARIO
# DRIVER and PROGRAM are Linux paths to the cross-built executables.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
session=$1 driver=$2 program=$3 scenario=$4

# The program is started by the driver, inside Wine, so it gets a Windows path
# (drive Z: is the Linux root in every Wine prefix).
program_path="Z:$(cd "$(dirname "$program")" && pwd)/$(basename "$program")"
exec "$here/wine_session.sh" run "$session" wine "$driver" "$scenario" "${program_path//\//\\}"
