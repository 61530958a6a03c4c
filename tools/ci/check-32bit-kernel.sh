#!/usr/bin/env bash
# Succeeds when this kernel runs 32-bit x86 programs, which Wine's 32-bit
# half needs. Otherwise prints why not, in one line, and fails.
#
# The probe is a static i386 program of three instructions that only asks the
# kernel to end it with code 32: nothing but the kernel takes part, so any
# other outcome means that 32-bit code cannot run here.
set -uo pipefail

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

printf '.globl _start\n_start:\n  movl $1, %%eax\n  movl $32, %%ebx\n  int $0x80\n' >"$work/probe.s"
if ! as --32 -o "$work/probe.o" "$work/probe.s" 2>"$work/error" ||
   ! ld -m elf_i386 -static -o "$work/probe" "$work/probe.o" 2>>"$work/error"; then
  echo "the 32-bit probe program could not be built: $(head -n 1 "$work/error")"
  exit 1
fi
"$work/probe" 2>"$work/error"
status=$?
[ "$status" -eq 32 ] && exit 0
reason=$(sed -e "s|$work/probe: ||" -e 's/^.*line [0-9]*: //' "$work/error" | head -n 1)
echo "this kernel does not run 32-bit programs (a static i386 program ${reason:+failed: $reason}${reason:-ended with code $status})"
exit 1
