#!/usr/bin/env bash
# Installs what building and testing need, when it is missing: Debian packages when run as
# root on Debian, otherwise a plain list of what to install. Safe to run again.
set -euo pipefail

# command-or-file  Debian package
needs=(
  "cmake cmake"
  "ninja ninja-build"
  "g++ g++"
  "x86_64-w64-mingw32-g++-posix g++-mingw-w64-x86-64-posix"
  "i686-w64-mingw32-g++-posix g++-mingw-w64-i686-posix"
  "x86_64-w64-mingw32-objdump binutils-mingw-w64-x86-64"
  "i686-w64-mingw32-objdump binutils-mingw-w64-i686"
  "/usr/lib/wine/wine64 wine64"
  "/usr/lib/wine/wineserver wine"
  "/usr/src/googletest/CMakeLists.txt googletest"
  "lnkinfo liblnk-utils"
  "/usr/share/i18n/locales/ja_JP locales"
  "flock util-linux"
  "git git"
  "clang++ clang"
  "clang-format clang-format"
  "python3 python3"
  "unzip unzip"
)

present() { if [[ $1 == /* ]]; then [ -e "$1" ]; else command -v "$1" >/dev/null; fi; }

missing=()
for need in "${needs[@]}"; do
  read -r what package <<<"$need"
  present "$what" || missing+=("$package")
done
# The fuzzers need clang's sanitizer run-time as well.
compgen -G '/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a' >/dev/null ||
  missing+=(libclang-rt-dev)

if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" = 0 ] && command -v apt-get >/dev/null; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq "${missing[@]}" >/dev/null
  else
    echo "Please install these Debian packages (or their equivalents): ${missing[*]}" >&2
    exit 1
  fi
fi

# A 32-bit Wine cannot run here, and /usr/bin/wine would prefer it.
if dpkg -s wine32 >/dev/null 2>&1; then
  echo "warning: wine32 is installed; the tests use /usr/lib/wine/wine64 directly" >&2
fi

# Wine takes the ANSI code page 932 from this locale; without it, non-ASCII names fail.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
  if [ "$(id -u)" = 0 ]; then
    localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
  else
    echo "Please generate the locale: sudo localedef -i ja_JP -f UTF-8 ja_JP.UTF-8" >&2
    exit 1
  fi
fi
