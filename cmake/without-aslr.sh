#!/bin/sh
# Runs a command with the kernel's address-space randomization switched off for
# it and for every process it starts, where the kernel lets us. The emulator of
# the Windows test programs (mingw-common.cmake) and tools/wine-env.sh start Wine
# through it. Usage: without-aslr.sh PROGRAM [ARGUMENT...]
#
# Wine needs a few fixed low addresses before anything else may use them: the
# shared user data at 0x7ffe0000 first. Its preloader reserves them before the
# process maps anything, but Debian ships the preloader in a package of its own
# that it only suggests (wine64-preloader), so here the loader starts without it.
# The loader is linked at 0x7d000000, and the kernel puts its brk heap anywhere
# in the 1 GB above it. When that heap starts less than about 130 KB below
# 0x7ffe0000, it has grown over that page by the time Wine wants it, and the
# process ends in its first 30 ms with status 1 and nothing on its output but
# Wine's error channel: "err:virtual:virtual_alloc_first_teb wine: failed to map
# the shared user data: c0000018". In full test runs that was one test in a few
# thousand. Without randomization the heap starts right after the loader, 48 MB
# below that page.
#
# The personality is inherited across fork and exec, so every program Wine
# starts for the command (VelPanel, velsim, explorer, conhost) runs without
# randomization too. Where the personality cannot be changed (a seccomp filter
# that refuses it), the command runs as it would without this script.
if setarch -R true 2>/dev/null; then
  exec setarch -R "$@"
fi
exec "$@"
