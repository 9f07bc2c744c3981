#!/bin/sh
# Runs the benchmark driver in a Wine session of its own, writes build/bench.md and prints it.
# Expects the win32 and win64 trees built (make build). The session is stopped however this ends.
# BENCH_WIN64, BENCH_WIN32 and BENCH_SESSION name other build trees and session folders.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
session=${BENCH_SESSION:-$root/build/bench-wine}
win64=${BENCH_WIN64:-$root/build/win64}
win32=${BENCH_WIN32:-$root/build/win32}
out=${BENCH_OUT:-$root/build/bench.md}
driver=$win64/bench/bench_driver.exe

for file in "$driver" "$win64/Corvanta.exe" "$win64/bench/Reference.exe" "$win64/bench/ReferenceFiveDlls.exe" \
            "$win32/Corvanta.exe" "$win32/bench/Reference.exe" "$win64/tests/e2e/SuaWin.exe"; do
    [ -f "$file" ] || { echo "run-bench: $file is missing (make build)" >&2; exit 1; }
done

# Timings want the machine to themselves: ahead of builds running beside us where allowed (as root),
# for this script and all it starts, Xvfb and the wineserver included.
renice -n -10 -p $$ >/dev/null 2>&1 || true

trap '"$root/scripts/wine-session" stop "$session"' EXIT
trap 'exit 130' INT TERM
"$root/scripts/wine-session" start "$session"

# Every wait inside the driver is bounded; this bounds the whole run as well.
timeout 1800 "$root/scripts/wine-run" "$session" "$driver" \
    --launcher64 "$win64/Corvanta.exe" \
    --reference64 "$win64/bench/Reference.exe" \
    --reference-dlls64 "$win64/bench/ReferenceFiveDlls.exe" \
    --launcher32 "$win32/Corvanta.exe" \
    --reference32 "$win32/bench/Reference.exe" \
    --standin "$win64/tests/e2e/SuaWin.exe" \
    --start-runs "${BENCH_START_RUNS:-30}" \
    --launch-runs "${BENCH_LAUNCH_RUNS:-20}" </dev/null >"$out.part"

cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)
wine=$(/usr/lib/wine/wine64 --version 2>/dev/null || echo unknown)
{
    echo
    echo "Measured $(date -u '+%Y-%m-%d %H:%M UTC') on $(nproc) CPUs ($cpu), $wine, Xvfb 1024x768x24."
} >>"$out.part"
mv "$out.part" "$out"
cat "$out"
