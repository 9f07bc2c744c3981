#!/bin/sh
# Tells how this machine runs i386 code, and with it every process of a PE32 under 32-bit Wine:
#
#   i386-mode.sh PROBE [BINFMT_DIR]
#
# PROBE is the static i386 program scripts/bootstrap builds (build/bootstrap/probe-i386), which exits
# with 7 wherever i386 code runs; BINFMT_DIR is /proc/sys/fs/binfmt_misc unless given. Prints one line:
# native, emulated or none, a tab, and how that was found. A probe that does not end with 7 means no
# 32-bit code runs here. One that does ran through qemu-i386 when binfmt_misc has that entry enabled
# (it then takes every i386 program, even where the kernel could run it), and natively otherwise.
set -eu
[ $# -ge 1 ] || { echo "usage: i386-mode.sh PROBE [BINFMT_DIR]" >&2; exit 2; }
probe=$1
binfmt=${2:-/proc/sys/fs/binfmt_misc}
[ -f "$probe" ] || { echo "i386-mode: no probe at $probe (scripts/bootstrap builds it)" >&2; exit 2; }

status=0
"$probe" </dev/null >/dev/null 2>&1 || status=$?
first_line() { head -n 1 "$1" 2>/dev/null || true; }
if [ "$status" -ne 7 ]; then
    printf 'none\tthe i386 probe ended with %s, not 7: no 32-bit code runs here\n' "$status"
elif [ "$(first_line "$binfmt/status")" = enabled ] && [ "$(first_line "$binfmt/qemu-i386")" = enabled ]; then
    printf 'emulated\tthe i386 probe ran through %s (binfmt_misc entry qemu-i386)\n' \
        "$(sed -n 's/^interpreter //p' "$binfmt/qemu-i386")"
else
    printf 'native\tthe i386 probe ran and binfmt_misc has no qemu-i386 entry enabled\n'
fi
