#!/usr/bin/env bash
# Runs a command (a ThreadSanitizer build's program, or a script that starts one) so
# that any report fails it: TSan reports on stderr and makes the program end with 66,
# which the tests see. tsan.supp holds the one suppression, and why.
#
# ThreadSanitizer maps its shadow memory at fixed addresses, and on kernels that
# randomise mmap with more bits than it knows (vm.mmap_rnd_bits above 28) clang 14's
# runtime stops with "unexpected memory mapping"; without address randomisation it
# runs everywhere, so the command runs under setarch -R where that is allowed.
#   under_tsan.sh COMMAND [ARGUMENT...]
here=$(cd "$(dirname "$0")" && pwd)
export TSAN_OPTIONS="halt_on_error=0 exitcode=66 second_deadlock_stack=1 suppressions=$here/tsan.supp ${TSAN_OPTIONS:-}"
symbolizer=/usr/lib/llvm-14/bin/llvm-symbolizer
[[ -x $symbolizer ]] && export TSAN_SYMBOLIZER_PATH=$symbolizer
if setarch "$(uname -m)" -R true 2>/dev/null; then
    exec setarch "$(uname -m)" -R "$@"
fi
exec "$@"
