#!/bin/sh
# Runs the benchmark driver in a Wine session of its own, then the report step: writes build/bench.md
# and prints it. Expects the win32 and win64 trees built (make build). The session is stopped however
# this ends. BENCH_WIN64, BENCH_WIN32, BENCH_SESSION and BENCH_OUT name other build trees, session
# folder and output; BENCH_START_RUNS and BENCH_LAUNCH_RUNS the number of runs.
#
# The shipped PE32 is measured beside its 64-bit twin when this machine runs 32-bit code; how it does
# is found out first (bench/i386-mode.sh): natively, its figures sit in the main table; through
# qemu-i386 they are the emulator's speed and go in a table of their own; not at all, it is not started.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-lib.sh"
session=${BENCH_SESSION:-$root/build/bench-wine}
win64=${BENCH_WIN64:-$root/build/win64}
win32=${BENCH_WIN32:-$root/build/win32}
out=${BENCH_OUT:-$root/build/bench.md}
driver=$win64/bench/bench_driver.exe

for file in "$driver" "$win64/Corvanta.exe" "$win64/bench/Reference.exe" "$win64/tests/e2e/SuaWin.exe" \
            "$win32/Corvanta.exe" "$win32/bench/Reference.exe" "$win32/tests/e2e/SuaWin.exe"; do
    [ -f "$file" ] || { echo "run-bench: $file is missing (make build)" >&2; exit 1; }
done

# One line: native, emulated or none, a tab, and how that was found.
i386=$("$root/bench/i386-mode.sh" "$root/build/bootstrap/probe-i386")
i386_mode=${i386%%	*}
echo "run-bench: 32-bit code: $i386" >&2

# Timings want the machine to themselves: ahead of builds running beside us where allowed (as root),
# for this script and all it starts, Xvfb and the wineserver included.
renice -n -10 -p $$ >/dev/null 2>&1 || true
# Other load makes the figures noisy: the table says how much there was.
load=$(cut -d ' ' -f 1-3 /proc/loadavg)

wine_session "$session"

# Every wait inside the driver is bounded; this bounds the whole run as well.
timeout 1800 "$root/scripts/wine-run" "$session" "$driver" "$out.tsv" "$win64" "$win32" "$i386_mode" \
    "${BENCH_START_RUNS:-30}" "${BENCH_LAUNCH_RUNS:-20}" </dev/null

# The report step: medians and ratios of the raw samples, and the conditions of the run.
{
    python3 "$root/bench/report.py" "$out.tsv" "$i386_mode"
    echo
    echo "Measured $(date -u '+%Y-%m-%d %H:%M UTC') on $(nproc) CPUs ($(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)),"
    echo "$(/usr/lib/wine/wine64 --version 2>/dev/null || echo 'Wine of unknown version'), Xvfb 1024x768x24;"
    echo "load average before the run $load, after it $(cut -d ' ' -f 1-3 /proc/loadavg)."
    echo "32-bit code: $i386_mode: $(printf '%s\n' "$i386" | cut -f 2-). Raw samples: $out.tsv."
} >"$out.part"
mv "$out.part" "$out"
cat "$out"
