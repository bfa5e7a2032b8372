#!/usr/bin/env bash
# Runs every test, for all three builds:
#   host   the platform-free pieces, natively, with AddressSanitizer and UBSan
#   win64  everything, under a sandboxed Wine prefix of the build tree
#   win32  the shipped build: compiled, linked and checked (32-bit programs cannot run here)
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
for preset in host win64 win32; do
  echo "=== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset" -j2
  if [ "$preset" != host ]; then
    # The release archive of this architecture, as a Windows user downloads it.
    (cd "build/$preset" && cpack -G ZIP >/dev/null && unzip -l _Dirwipe-_Lnkmake-*-"$preset".zip)
  fi
done
