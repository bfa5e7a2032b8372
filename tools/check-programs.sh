#!/usr/bin/env bash
# Checks each program as a Windows user receives it: the right PE format, the GUI subsystem,
# nothing imported but Windows system DLLs, and at most 512 KiB.
#   check-programs.sh i686|x86_64 PROGRAM...
set -euo pipefail
arch=$1
shift
case "$arch" in
  i686) format=pei-i386 triple=i686-w64-mingw32 ;;
  x86_64 | AMD64) format=pei-x86-64 triple=x86_64-w64-mingw32 ;;
  *) echo "unknown architecture $arch" >&2; exit 2 ;;
esac
system_dlls='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|userenv|msvcrt|ntdll|comctl32|shlwapi|version)\.dll$'
failed=0
fail() { echo "FAIL $1: $2"; failed=1; }
for program in "$@"; do
  name=$(basename "$program")
  dump=$("$triple-objdump" -p "$program")
  grep -q "file format $format" <<<"$dump" || fail "$name" "not $format"
  grep -Eq '^Subsystem[[:space:]]+0+2[[:space:]]' <<<"$dump" || fail "$name" "not the Windows GUI subsystem"
  while read -r dll; do
    grep -Eqi "$system_dlls" <<<"$dll" || fail "$name" "imports $dll"
  done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump")
  size=$(stat -c %s "$program")
  [ "$size" -le 524288 ] || fail "$name" "$size bytes, more than 512 KiB"
  ls "$(dirname "$program")"/*.dll >/dev/null 2>&1 && fail "$name" "DLLs stand beside it"
  [ $failed -eq 0 ] && echo "ok $name: $format, GUI, system DLLs only, $size bytes"
done
exit $failed
