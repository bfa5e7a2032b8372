#!/usr/bin/env bash
# Checks each program as a Windows user receives it: the right PE format, the GUI subsystem,
# nothing imported but Windows system DLLs, at most 512 KiB, and the resources Windows reads
# from it: a well-formed manifest with the settings below, and version information naming
# the program.
#   check-programs.sh [--version X.Y.Z] i686|x86_64 PROGRAM...
# With --version, the version information must also carry that version.
set -euo pipefail
version=""
if [ "${1:-}" = --version ]; then
  version=$2
  shift 2
fi
arch=$1
shift
case "$arch" in
  i686) format=pei-i386 triple=i686-w64-mingw32 ;;
  x86_64 | AMD64) format=pei-x86-64 triple=x86_64-w64-mingw32 ;;
  *) echo "unknown architecture $arch" >&2; exit 2 ;;
esac
system_dlls='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|userenv|msvcrt|ntdll|comctl32|shlwapi|version)\.dll$'
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failed=0
fail() { echo "FAIL $1: $2"; failed=$((failed + 1)); }

# Reads the manifest and the version information out of a dumped .rsrc section; prints one
# line per missing or wrong setting.
#   check_resources RSRC_FILE PROGRAM_NAME [VERSION]
check_resources() {
  python3 - "$@" <<'PYTHON'
import struct
import sys
import xml.etree.ElementTree as ET

ASM_V1 = "{urn:schemas-microsoft-com:asm.v1}"
ASM_V3 = "{urn:schemas-microsoft-com:asm.v3}"
COMPAT = "{urn:schemas-microsoft-com:compatibility.v1}"
WS2005 = "{http://schemas.microsoft.com/SMI/2005/WindowsSettings}"
WS2016 = "{http://schemas.microsoft.com/SMI/2016/WindowsSettings}"
SUPPORTED_OS = {
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}": "Windows 7",
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}": "Windows 8",
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}": "Windows 8.1",
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}": "Windows 10 and 11",
}


def manifest_problems(data):
    start = data.find(b"<?xml")
    end = data.find(b"</assembly>", start)
    if start < 0 or end < 0:
        return ["no manifest text"]
    try:
        root = ET.fromstring(data[start:end + len(b"</assembly>")])
    except ET.ParseError as error:
        return ["manifest is no well-formed XML: %s" % error]
    problems = []
    level = root.find(
        ASM_V3 + "trustInfo/" + ASM_V3 + "security/" + ASM_V3 + "requestedPrivileges/" +
        ASM_V3 + "requestedExecutionLevel")
    if level is None or level.get("level") != "asInvoker":
        problems.append("manifest does not request asInvoker")
    listed = {os.get("Id") for os in root.iter(COMPAT + "supportedOS")}
    for guid, system in SUPPORTED_OS.items():
        if guid not in listed:
            problems.append("manifest does not list %s" % system)
    controls = [a for a in root.iter(ASM_V1 + "assemblyIdentity")
                if a.get("name") == "Microsoft.Windows.Common-Controls"]
    if not controls or controls[0].get("version") != "6.0.0.0":
        problems.append("manifest lacks Common Controls 6")
    settings = {
        WS2005 + "dpiAware": "true/pm",
        WS2016 + "dpiAwareness": "PerMonitorV2",
        WS2016 + "longPathAware": "true",
    }
    for tag, value in settings.items():
        found = [e.text for e in root.iter(tag)]
        if found != [value]:
            problems.append("manifest %s is %s, not %s" % (tag.split("}")[1], found, value))
    return problems


def version_string(data, key):
    # The value of the String entry `key` of a VERSIONINFO block, or None.
    pattern = (key + "\0").encode("utf-16-le")
    at = data.find(pattern)
    while at >= 6 and at % 2 != 0:
        at = data.find(pattern, at + 1)
    if at < 6:
        return None
    _, valueLength, _ = struct.unpack_from("<HHH", data, at - 6)
    valueAt = (at + len(pattern) + 3) & ~3
    value = data[valueAt:valueAt + 2 * valueLength].decode("utf-16-le", "replace")
    return value.rstrip("\0")


def version_problems(data, programName, version):
    at = data.find("VS_VERSION_INFO\0".encode("utf-16-le"))
    if at < 0:
        return ["no VS_VERSION_INFO block"]
    fixed = data.find(struct.pack("<I", 0xFEEF04BD), at)
    if fixed < 0:
        return ["no fixed file information"]
    fileMs, fileLs, productMs, productLs = struct.unpack_from("<IIII", data, fixed + 8)
    problems = []
    strings = {key: version_string(data, key) for key in
               ("ProductName", "FileDescription", "FileVersion", "ProductVersion",
                "OriginalFilename")}
    for key, value in strings.items():
        if not value:
            problems.append("version information lacks %s" % key)
    if strings["OriginalFilename"] and strings["OriginalFilename"] != programName:
        problems.append("OriginalFilename is %s" % strings["OriginalFilename"])
    numbers = "%d.%d.%d" % (fileMs >> 16, fileMs & 0xFFFF, fileLs >> 16)
    if (productMs, productLs) != (fileMs, fileLs):
        problems.append("fixed file and product versions differ")
    for key in ("FileVersion", "ProductVersion"):
        if strings[key] and strings[key] != numbers:
            problems.append("%s %s differs from the fixed version %s" % (key, strings[key], numbers))
        if version and strings[key] != version:
            problems.append("%s is %s, not %s" % (key, strings[key], version))
    return problems


def main():
    data = open(sys.argv[1], "rb").read()
    programName = sys.argv[2]
    version = sys.argv[3] if len(sys.argv) > 3 else ""
    for problem in manifest_problems(data) + version_problems(data, programName, version):
        print(problem)


main()
PYTHON
}

for program in "$@"; do
  name=$(basename "$program")
  failedBefore=$failed
  dump=$("$triple-objdump" -p "$program")
  grep -q "file format $format" <<<"$dump" || fail "$name" "not $format"
  grep -Eq '^Subsystem[[:space:]]+0+2[[:space:]]' <<<"$dump" || fail "$name" "not the Windows GUI subsystem"
  while read -r dll; do
    grep -Eqi "$system_dlls" <<<"$dll" || fail "$name" "imports $dll"
  done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump")
  size=$(stat -c %s "$program")
  [ "$size" -le 524288 ] || fail "$name" "$size bytes, more than 512 KiB"
  ls "$(dirname "$program")"/*.dll >/dev/null 2>&1 && fail "$name" "DLLs stand beside it"

  # Resource types at the top of the resource tree: 0x10 version, 0x18 manifest.
  for type in 10:version 18:manifest; do
    grep -Eq "^0[0-9a-f]{2}   Entry: ID: 0x0000${type%%:*}," <<<"$dump" ||
      fail "$name" "no ${type#*:} resource"
  done
  rsrc=$scratch/$name.rsrc
  if "$triple-objcopy" -O binary --only-section=.rsrc "$program" "$rsrc" 2>/dev/null &&
     [ -s "$rsrc" ]; then
    while read -r problem; do
      fail "$name" "$problem"
    done < <(check_resources "$rsrc" "$name" "$version" || echo "resource check did not run")
  else
    fail "$name" "no .rsrc section"
  fi
  [ $failed -eq "$failedBefore" ] &&
    echo "ok $name: $format, GUI, system DLLs only, $size bytes, manifest and version resources"
done
[ $failed -eq 0 ]
