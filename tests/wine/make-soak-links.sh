#!/usr/bin/env bash
# Makes the link-bearing skeletons of the soak trees: Wine cannot create links, so they are
# made here, natively. Each case gets DRIVE/soak/CASE/tree with directory links at several
# depths (one under a dot-named directory) and DRIVE/soak/CASE/outside with their targets,
# none of them empty: Wine removes the target of a link whose target is empty.
#   make-soak-links.sh DRIVE_FOLDER CASE...
set -euo pipefail
drive=$(cd "$1" && pwd)
shift
links=(k0 a/k1 a/b/c/k2 a/b/c/d/e/f/g/k3 .dot/k4 h/k5)
for name in "$@"; do
  case_root="$drive/soak/$name"
  rm -rf "$case_root"
  mkdir -p "$case_root/tree"
  for i in "${!links[@]}"; do
    target="$case_root/outside/t$i"
    mkdir -p "$target/deep/deeper" "$target/empty"
    printf 'target %s\n' "$i" >"$target/keep.txt"
    printf 'deep %s\n' "$i" >"$target/deep/deeper/keep.txt"
    printf 'dot %s\n' "$i" >"$target/.dot"
    printf 'read-only %s\n' "$i" >"$target/readonly.txt"
    chmod a-w "$target/readonly.txt"
    link="$case_root/tree/${links[$i]}"
    mkdir -p "$(dirname "$link")"
    ln -s "$target" "$link"
  done
done
