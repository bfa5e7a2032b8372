#!/usr/bin/env bash
# Reads shortcuts that _Lnkmake wrote back with lnkinfo (liblnk-utils), a parser of the .lnk
# format that owes nothing to Windows or Wine.
# It writes two links of its own, then reads every link that the program tests left in the
# sandbox with a "<link>.expected" beside it: one "field<TAB>value" line per field.
#   lnkinfo_check.sh WINE_RUN DRIVE_FOLDER DRIVE_LETTER
set -euo pipefail
wineRun=$1
drive=$2
letter=$3
command -v lnkinfo >/dev/null || { echo "lnkinfo is missing: apt-get install liblnk-utils"; exit 1; }
here="$drive/sandbox/lnkinfo"
rm -rf "$here"
mkdir -p "$here"
failed=0

# Field value of a link as lnkinfo shows it.
field() { lnkinfo "$1" | sed -n "s/^[[:space:]]*$2[[:space:]]*: //p"; }

expect() {
  local got
  got=$(field "$1" "$2")
  if [ "$got" = "$3" ]; then echo "ok   $(basename "$1"): $2 = $got"; else
    echo "FAIL $(basename "$1"): $2 is '$got', expected '$3'"
    failed=1
  fi
}

# One missing folder level, blanks in the names: the usual long-name case.
"$wineRun" "$letter:\\bin\\_Lnkmake.exe" 'C:\windows\notepad.exe' "$letter:\\sandbox\\lnkinfo\\New folder\\Note pad"
link="$here/New folder/Note pad.lnk"
[ -f "$link" ] || { echo "FAIL: no link file at $link"; exit 1; }
expect "$link" "Local path" 'C:\windows\notepad.exe'
expect "$link" "Working directory" 'C:\windows\'
expect "$link" "Icon location" 'C:\windows\notepad.exe'
expect "$link" "Icon index" '0'

"$wineRun" "$letter:\\bin\\_Lnkmake.exe" 'C:\windows\system32\cmd.exe' "$letter:\\sandbox\\lnkinfo\\Shell"
expect "$here/Shell.lnk" "Local path" 'C:\windows\system32\cmd.exe'
expect "$here/Shell.lnk" "Working directory" 'C:\windows\system32\'

checked=0
while IFS= read -r -d '' expected; do
  while IFS=$'\t' read -r name value; do
    expect "${expected%.expected}" "$name" "$value"
  done <"$expected"
  checked=$((checked + 1))
done < <(find "$drive/sandbox" -name '*.lnk.expected' -print0)
echo "links left by the program tests and read back: $checked"
exit $failed
