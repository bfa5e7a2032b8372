#!/usr/bin/env bash
# The main job on a sample made for it: builds the 64-bit programs, then under Wine lets a
# batch file run _Dirwipe over a demo temporary directory and a demo deletion list, and
# _Lnkmake make a shortcut, showing what was there before and what is left.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target Dirwipe Lnkmake >/dev/null
wineRun=build/win64/wine-run
drive=build/win64/wine/drive
demo=$drive/demo
rm -rf "$demo"

# A temporary directory: some clutter, a read-only file, and a dot-named folder that stays.
mkdir -p "$demo/temp/cache/thumbnails" "$demo/temp/.keep" "$demo/work/logs" \
  "$demo/build-output/obj" "$demo/precious"
echo "session" >"$demo/temp/session.tmp"
echo "thumb" >"$demo/temp/cache/thumbnails/1.png"
echo "locked" >"$demo/temp/cache/read-only.dat"
echo "kept" >"$demo/temp/.keep/settings"
echo "object" >"$demo/build-output/obj/main.o"
echo "log" >"$demo/work/logs/today.log"
echo "not listed" >"$demo/precious/thesis.doc"
# The deletion list: one absolute and one relative directory, CR LF line ends.
printf 'T:\\demo\\build-output\r\nlogs\r\n' >"$demo/work/_Del.inf"
printf 'set TMP=T:\\demo\\temp\r\nset TEMP=T:\\demo\\temp\r\ncd /d T:\\demo\\work\r\nattrib +r T:\\demo\\temp\\cache\\read-only.dat >nul\r\nstart "" /wait T:\\bin\\_Dirwipe.exe\r\nstart "" /wait T:\\bin\\_Lnkmake.exe C:\\windows\\notepad.exe "T:\\demo\\Desktop\\Note pad"\r\n' \
  >"$demo/run.bat"

listing() { (cd "$demo" && find . -path ./run.bat -prune -o -print | sed 's|^\./||' | sort | grep -v '^\.$'); }

echo "== Before (T:\\demo), _Del.inf lists T:\\demo\\build-output and logs:"
listing | sed 's/^/   /'
"$wineRun" cmd /c 'T:\demo\run.bat' >/dev/null
echo
echo "== After _Dirwipe and _Lnkmake:"
listing | sed 's/^/   /'
echo
echo "== The shortcut, read back by lnkinfo:"
lnkinfo "$demo/Desktop/Note pad.lnk" | grep -E 'Local path|Working directory|Icon location|Icon index' |
  sed 's/^[[:space:]]*/   /'
