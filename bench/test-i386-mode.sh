#!/bin/sh
# Checks bench/i386-mode.sh: its verdict for probes that run, fail or cannot start, against made-up
# binfmt_misc folders, then the real probe against this machine's binfmt_misc.
#
#   test-i386-mode.sh PROBE      PROBE: the i386 probe scripts/bootstrap builds
set -eu
[ $# -eq 1 ] || { echo "usage: test-i386-mode.sh PROBE" >&2; exit 2; }
mode=$(cd "$(dirname "$0")" && pwd)/i386-mode.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# Stand-ins for the probe: one that ends with 7, one that ends otherwise, one no kernel can start.
printf '#!/bin/sh\nexit 7\n' >"$work/runs"
printf '#!/bin/sh\nexit 3\n' >"$work/fails"
printf '\177ELF\001\001\001' >"$work/broken"
chmod +x "$work/runs" "$work/fails" "$work/broken"

# A made-up binfmt_misc folder: NAME, its status, and the state of a qemu-i386 entry if it has one.
binfmt() {
    mkdir -p "$work/$1"
    echo "$2" >"$work/$1/status"
    [ $# -lt 3 ] || printf '%s\ninterpreter /opt/emu/qemu-i386\nflags: POF\noffset 0\n' "$3" >"$work/$1/qemu-i386"
}
binfmt entry-on enabled enabled
binfmt entry-off enabled disabled
binfmt misc-off disabled enabled
binfmt no-entry enabled

# LABEL PROBE BINFMT_DIR MODE WORDS: the verdict must be MODE, its detail must hold WORDS.
check() {
    got=$("$mode" "$2" "$3") || got="exit status $?"
    case $got in
        "$4	"*"$5"*) ;;
        *) echo "FAIL: $1: got '$got', expected '$4' with '$5'"; failures=$((failures + 1)) ;;
    esac
}
check "qemu-i386 entry enabled" "$work/runs" "$work/entry-on" emulated /opt/emu/qemu-i386
check "qemu-i386 entry disabled" "$work/runs" "$work/entry-off" native "no qemu-i386"
check "binfmt_misc disabled" "$work/runs" "$work/misc-off" native "no qemu-i386"
check "no qemu-i386 entry" "$work/runs" "$work/no-entry" native "no qemu-i386"
check "no binfmt_misc at all" "$work/runs" "$work/absent" native "no qemu-i386"
check "probe ends with 3" "$work/fails" "$work/entry-on" none "ended with 3"
check "probe cannot start" "$work/broken" "$work/no-entry" none "not 7"

# The live machine: an enabled qemu-i386 entry takes every i386 program, so the real probe must be
# found emulated, and must have run to its end (a registered but broken emulator reads as none).
live=/proc/sys/fs/binfmt_misc
if [ "$(head -n 1 "$live/status" 2>/dev/null)" = enabled ] && [ "$(head -n 1 "$live/qemu-i386" 2>/dev/null)" = enabled ]; then
    check "this machine, qemu-i386 registered" "$1" "$live" emulated "$(sed -n 's/^interpreter //p' "$live/qemu-i386")"
else
    got=$("$mode" "$1" "$live") || got="exit status $?"
    case $got in
        native*|none*) echo "this machine: $got" ;;
        *) echo "FAIL: this machine without qemu-i386: got '$got'"; failures=$((failures + 1)) ;;
    esac
fi
[ "$failures" -eq 0 ] && echo "i386 mode: all verdicts as expected"
exit "$failures"
