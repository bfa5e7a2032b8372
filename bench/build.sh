#!/usr/bin/env bash
# Builds the benchmark's helper programs into OUT (default bench/out).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here/out}
mkdir -p "$out"
cxx=x86_64-w64-mingw32-g++-posix
"$cxx" -O2 -static -s "$here/baseline.cpp" -o "$out/baseline.exe"
"$cxx" -O2 -static -s -mwindows "$here/empty.cpp" -o "$out/empty.exe"
"$cxx" -O2 -static -s -mwindows "$here/com_empty.cpp" -o "$out/com_empty.exe" -lole32
"$cxx" -O2 -static -s "$here/peakmem.cpp" -o "$out/peakmem.exe" -lpsapi
for variant in user32:-DWITH_USER32 userenv:-DWITH_USERENV advapi32:-DWITH_ADVAPI32 \
               all:"-DWITH_USER32 -DWITH_USERENV -DWITH_ADVAPI32"; do
  # shellcheck disable=SC2086
  "$cxx" -O2 -static -s -mwindows ${variant#*:} "$here/imports.cpp" -o "$out/empty_${variant%%:*}.exe" \
    -luserenv
done
