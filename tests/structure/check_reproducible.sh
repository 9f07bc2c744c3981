#!/bin/sh
# Builds the program a second time, from scratch in another folder, and requires the same bytes.
# Usage: check_reproducible.sh CMAKE SOURCE_DIR BINARY_DIR EXE TOOLCHAIN_FILE WORK_DIR
set -eu

cmake=$1 source=$2 binary=$3 exe=$4 toolchain=$5 work=$6

case $exe in
    "$binary"/*) relative=${exe#"$binary"/} ;;
    *) echo "$exe is not inside $binary"; exit 2 ;;
esac

rm -rf "$work"
"$cmake" -S "$source" -B "$work" -G "Unix Makefiles" --toolchain "$toolchain" \
    -DCMAKE_BUILD_TYPE=Release >"$work.log" 2>&1 || { cat "$work.log"; exit 1; }
"$cmake" --build "$work" --target Corvanta -j 2 >>"$work.log" 2>&1 || { cat "$work.log"; exit 1; }

if cmp "$exe" "$work/$relative"; then
    echo "$relative: $(wc -c <"$exe") bytes, identical in $binary and $work"
else
    echo "$relative differs between $binary and $work (a time stamp or a path got into the exe?)"
    exit 1
fi
