#!/usr/bin/env bash
# Lists every tracked C++ source or header that clang-format (with the repo's .clang-format)
# would change, and fails when there is one. Fix them with: clang-format -i FILE...
#   check-format.sh [REPO_DIR]   (default: the repo this script is in)
# CLANG_FORMAT picks the formatter (default clang-format).
set -euo pipefail
repo=${1:-$(cd "$(dirname "$0")/.." && pwd)}
formatter=${CLANG_FORMAT:-clang-format}
command -v "$formatter" >/dev/null || { echo "check-format: $formatter not found" >&2; exit 2; }
cd "$repo"
mapfile -t files < <(git ls-files -- '*.cpp' '*.h')
[ ${#files[@]} -gt 0 ] || { echo "check-format: no tracked *.cpp or *.h in $repo" >&2; exit 2; }
unformatted=()
for file in "${files[@]}"; do
  [ -f "$file" ] || continue  # deleted in the work tree, not yet in the index
  "$formatter" --style=file --dry-run -Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done
if [ ${#unformatted[@]} -gt 0 ]; then
  echo "Not clang-format clean (${#unformatted[@]} of ${#files[@]}):"
  printf '  %s\n' "${unformatted[@]}"
  exit 1
fi
echo "ok: ${#files[@]} files clang-format clean"
