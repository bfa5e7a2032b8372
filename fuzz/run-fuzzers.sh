#!/usr/bin/env bash
# Builds the libFuzzer targets of the platform-free pieces with clang++ and runs each one,
# starting from its seeds in fuzz/corpus/<target>/.
#   run-fuzzers.sh OUT_DIR [--runs N | --seconds S] [--max-len BYTES] [TARGET...]
# --runs N (default 20000) makes a short, repeatable run, as ctest does; --seconds S runs each
# target for S seconds and keeps the inputs it finds in OUT_DIR/corpus/<target>/ for the next
# long run. An input that breaks a rule is saved as OUT_DIR/<target>-crash-*; rerun it with
# OUT_DIR/<target> FILE. CXX picks the compiler (default clang++).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(dirname "$here")
usage() { sed -n '2,9s/^# \{0,1\}//p' "$0" >&2; exit 2; }
[ $# -ge 1 ] || usage
out=$1
shift
runs=20000 seconds="" maxLen=4096 targets=()
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs=$2; shift 2 ;;
    --seconds) seconds=$2; shift 2 ;;
    --max-len) maxLen=$2; shift 2 ;;
    -h | --help) usage ;;
    -*) echo "unknown option $1" >&2; usage ;;
    *) targets+=("$1"); shift ;;
  esac
done

# The pure sources each target links.
declare -A sources=(
  [command_line]="runtime/command_line.cpp"
  [list_lines]="cleaner/list_lines.cpp"
  [directory_part]="linkmaker/directory_part.cpp"
  [walk_prefix]="cleaner/walk_prefix.cpp"
  [error_report]="runtime/error_text.cpp"
)
[ ${#targets[@]} -gt 0 ] || targets=(command_line list_lines directory_part walk_prefix error_report)
cxx=${CXX:-clang++}
flags=(-std=c++17 -g -O1 -Wall -Wextra -Werror -fno-omit-frame-pointer
       -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -I "$repo")
mkdir -p "$out"

# Compiles `target` unless its program is newer than everything it is made from.
build() {
  local target=$1 program=$out/$1 inputs file
  inputs=("$here/${target}_fuzz.cpp" "$here/require.h" "$0")
  for file in ${sources[$target]}; do inputs+=("$repo/$file" "$repo/${file%.cpp}.h"); done
  [ -x "$program" ] && [ -z "$(find "${inputs[@]}" -newer "$program" 2>/dev/null)" ] && return 0
  local pure=()
  for file in ${sources[$target]}; do pure+=("$repo/$file"); done
  "$cxx" "${flags[@]}" "$here/${target}_fuzz.cpp" "${pure[@]}" -o "$program"
}

# Runs `target`; its log goes to OUT_DIR/<target>.log, whose end is shown when it fails.
run() {
  local target=$1 work=$out/corpus/$1 limit
  if [ -n "$seconds" ]; then
    limit=(-max_total_time="$seconds")
  else
    limit=(-runs="$runs" -seed=1)
    rm -rf "$work"  # a short run starts from the seeds alone, so it is repeatable
  fi
  mkdir -p "$work"
  local start=$SECONDS
  if "$out/$target" "${limit[@]}" -max_len="$maxLen" -timeout=25 -print_final_stats=1 \
      -artifact_prefix="$out/$target-" "$work" "$here/corpus/$target" >"$out/$target.log" 2>&1; then
    echo "ok $target: $(sed -n 's/^stat::number_of_executed_units: *//p' "$out/$target.log") runs," \
         "$(find "$work" -type f | wc -l) new inputs, $((SECONDS - start)) s"
    return 0
  fi
  echo "FAIL $target (log: $out/$target.log)"
  tail -n 40 "$out/$target.log"
  return 1
}

passed=0 failed=0
for target in "${targets[@]}"; do
  if [ -z "${sources[$target]:-}" ]; then
    echo "FAIL $target: no such fuzz target"; failed=$((failed + 1)); continue
  fi
  if build "$target" && run "$target"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
