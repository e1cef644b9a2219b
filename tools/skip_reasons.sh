#!/usr/bin/env bash
# Prints why each test of the last ctest run in BUILD_DIR was skipped: the line that
# starts with "SKIP:", which a test prints before it exits with its skip code (the
# test runner lists skipped tests, but not what they said).
#   skip_reasons.sh BUILD_DIR
log=${1:?build folder}/Testing/Temporary/LastTest.log
[[ -f $log ]] || exit 0
awk '
    /^[0-9]+\/[0-9]+ Test: / { name = $3 }
    /^SKIP: / && name != "" { print "  " name ": skipped: " substr($0, 7); name = "" }
' "$log"
