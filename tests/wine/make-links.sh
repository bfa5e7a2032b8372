#!/usr/bin/env bash
# Makes the directory links that tests walk: Wine cannot create links itself, so they are
# made here, natively, inside the test drive. Each case gets a tree holding a link to a
# directory outside that tree, whose files must survive.
#   make-links.sh DRIVE_FOLDER CASE...
set -euo pipefail
drive=$1
shift
for name in "$@"; do
  root="$drive/links/$name"
  rm -rf "$root"
  mkdir -p "$root/tree/sub" "$root/outside/deep"
  echo "tree file" >"$root/tree/file.txt"
  echo "tree sub file" >"$root/tree/sub/file.txt"
  echo "keep me" >"$root/outside/keep.txt"
  echo "keep me too" >"$root/outside/deep/keep.txt"
  ln -s ../outside "$root/tree/link"
done
