#!/usr/bin/env bash
# Exit status 0 when this machine can run 32-bit x86 (i386) programs, 1 when it
# cannot. Some x86-64 kernels run 64-bit programs only ("Exec format error" for every
# 32-bit one), and there 32-bit Wine cannot start. No compiler or library is needed:
# the test is a 96-byte i386 program, written here, that only exits with 0.
set -u
dir=$(mktemp -d) || exit 1
trap 'rm -rf "$dir"' EXIT
# ELF header, one loadable segment at 0x08048000, then: mov eax, 1; xor ebx, ebx; int 0x80
printf '%b' \
  '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' \
  '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00' \
  '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00' \
  '\x00\x00\x00\x00' \
  '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08' \
  '\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00' \
  '\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80\x90\x90\x90' >"$dir/probe"
chmod +x "$dir/probe"
"$dir/probe" 2>/dev/null || exit 1
