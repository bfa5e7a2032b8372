#!/usr/bin/env bash
# Times _Dirwipe against Wine's rd /s /q, native rm -rf and a plain loop of the same platform
# calls, on one tree of N files in 100 directories each with a subdirectory; also start-up
# against an empty Windows program and _Dirwipe's peak memory for N and 10*N files.
#   bench/run.sh [-n FILES] [-r ROUNDS] [-b BUILD_DIR]
# BUILD_DIR is a win64 build tree (default build/win64); its Wine prefix and drive are used.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
files=10000
rounds=5
build=$here/../build/win64
while getopts n:r:b: option; do
  case $option in
    n) files=$OPTARG ;;
    r) rounds=$OPTARG ;;
    b) build=$OPTARG ;;
    *) exit 2 ;;
  esac
done
build=$(cd "$build" && pwd)
out=$build/bench
"$here/build.sh" "$out"

# The same prefix and drive as the build's wine-run, with the working directory ours to pick.
export WINEPREFIX=$build/wine/prefix WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=' WINEARCH=win64
unset DISPLAY WAYLAND_DISPLAY
wine=/usr/lib/wine/wine64
drive=$build/wine/drive
"$build/wine-run" --start
trap '"$build/wine-run" --stop' EXIT
"$build/wine-run" cmd /c exit >/dev/null 2>&1
cp "$build/bin/_Dirwipe.exe" "$build/bin/_Lnkmake.exe" "$out/"/*.exe "$drive/bin/"
area=$drive/bench
rm -rf "$area"
mkdir -p "$area/work" "$area/idle"
printf 'T:\\bench\\tree\r\n' >"$area/work/_Del.inf"

# N files: half in each of 100 directories, half in each one's subdirectory.
make_tree() {
  python3 - "$area/tree" "$1" <<'PY'
import os, sys
root, count = sys.argv[1], int(sys.argv[2])
for d in range(100):
    for sub in ("", "sub"):
        os.makedirs(os.path.join(root, "d%03d" % d, sub), exist_ok=True)
for i in range(count):
    d, half = i % 100, (i // 100) % 2
    path = os.path.join(root, "d%03d" % d, "sub" if half else "", "f%06d.dat" % i)
    with open(path, "wb") as f:
        f.write(b"x" * (i % 200))
PY
}

now() { date +%s%N; }

# Runs "$@" with the working directory $1, prints seconds taken.
timed() {
  local dir=$1
  shift
  local start end
  start=$(now)
  (cd "$dir" && "$@" >/dev/null 2>&1 </dev/null)
  end=$(now)
  echo "scale=4; ($end - $start) / 1000000000" | bc
}

run_deleter() {
  case $1 in
    dirwipe) timed "$area/work" "$wine" 'T:\bin\_Dirwipe.exe' /t ;;
    rd) timed "$area/idle" "$wine" cmd /c rd /s /q 'T:\bench\tree' ;;
    rm) timed "$area/idle" rm -rf "$area/tree" ;;
    baseline) timed "$area/idle" "$wine" 'T:\bin\baseline.exe' 'T:\bench\tree' ;;
  esac
}

median() { sort -n | awk '{v[NR]=$1} END {print (NR%2 ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2)}'; }

echo "load before: $(uptime)"
deleters=(dirwipe rd rm baseline)
declare -A times
for ((round = 0; round < rounds; ++round)); do
  # Rotate the order each round so no deleter always follows the same one.
  for ((k = 0; k < ${#deleters[@]}; ++k)); do
    name=${deleters[$(((k + round) % ${#deleters[@]}))]}
    make_tree "$files"
    sync
    t=$(run_deleter "$name")
    [ -e "$area/tree" ] && echo "warning: $name left $(find "$area/tree" | wc -l) entries" >&2
    rm -rf "$area/tree"
    times[$name]+="$t "
  done
done

declare -A medians
printf '\n%-10s %10s %12s   %s\n' deleter median_s files_per_s rounds
for name in "${deleters[@]}"; do
  m=$(tr ' ' '\n' <<<"${times[$name]}" | grep . | median)
  medians[$name]=$m
  printf '%-10s %10.4f %12.0f   %s\n' "$name" "$m" "$(echo "$files / $m" | bc -l)" "${times[$name]}"
done

# Start-up: each program doing nothing (no _Del.inf in its working directory); the empty
# program importing _Dirwipe's DLLs shows what loading them costs.
startups=()
programs=(empty.exe _Dirwipe.exe _Lnkmake.exe com_empty.exe empty_advapi32.exe empty_userenv.exe
          empty_user32.exe empty_all.exe)
for program in "${programs[@]}"; do
  samples=""
  for ((i = 0; i < 3 * rounds; ++i)); do
    args=()
    [ "$program" = _Dirwipe.exe ] && args=(/t)
    # One word: _Lnkmake starts COM, does nothing, and ends.
    [ "$program" = _Lnkmake.exe ] && args=(x)
    samples+="$(timed "$area/idle" "$wine" "T:\\bin\\$program" "${args[@]}") "
  done
  startups+=("$(tr ' ' '\n' <<<"$samples" | grep . | median)")
done
empty=${startups[0]}
startup=${startups[1]}
echo
for ((i = 0; i < ${#programs[@]}; ++i)); do
  printf 'start-up %-20s %8.4fs\n' "${programs[$i]}" "${startups[$i]}"
done

ratio() { echo "scale=3; $1 / $2" | bc -l; }
echo
echo "start-up: empty ${empty}s, _Dirwipe ${startup}s, ratio $(ratio "$startup" "$empty") (target <= 1.2)"
echo "start-up: empty ${empty}s, _Lnkmake ${startups[2]}s, ratio $(ratio "${startups[2]}" "$empty") (target <= 1.2)"
echo "  _Lnkmake must enter COM at start-up: against an empty program that only does that" \
     "(${startups[3]}s), ratio $(ratio "${startups[2]}" "${startups[3]}")"
echo "_Dirwipe / rd /s /q:    $(ratio "${medians[dirwipe]}" "${medians[rd]}") (target <= 0.35)"
echo "_Dirwipe / baseline:    $(ratio "${medians[dirwipe]}" "${medians[baseline]}") (target <= 1.15)"
echo "_Dirwipe / rm -rf:      $(ratio "${medians[dirwipe]}" "${medians[rm]}")"
echo "less start-up (each minus the empty program's start-up):"
for name in dirwipe rd baseline; do
  echo "  $name: $(echo "${medians[$name]} - $empty" | bc -l | sed 's/^\./0./')s"
done
w=$(echo "${medians[dirwipe]} - $empty" | bc -l)
echo "  _Dirwipe / rd: $(ratio "$w" "$(echo "${medians[rd]} - $empty" | bc -l)")," \
     "_Dirwipe / baseline: $(ratio "$w" "$(echo "${medians[baseline]} - $empty" | bc -l)")"

# Peak memory of the _Dirwipe process, from the platform's counters, for N and 10*N files.
echo
for count in "$files" $((10 * files)); do
  make_tree "$count"
  # Cross-check from outside: the Windows process is a Unix process; keep its VmHWM.
  (cd "$area/work" && "$wine" 'T:\bin\peakmem.exe' 'T:\bin\_Dirwipe.exe' /t 2>/dev/null \
     </dev/null | tr -d '\r' >"$out/peakmem.txt") &
  waiter=$!
  hwm=0
  while kill -0 "$waiter" 2>/dev/null; do
    for pid in $(pgrep -f '_Dirwipe\.exe' || true); do
      [[ "$(tr '\0' '\n' <"/proc/$pid/cmdline" 2>/dev/null | head -1)" == *_Dirwipe.exe ]] || continue
      kib=$(awk '/^VmHWM:/ {print $2}' "/proc/$pid/status" 2>/dev/null || echo 0)
      [ "${kib:-0}" -gt "$hwm" ] && hwm=$kib
    done
    sleep 0.01
  done
  wait "$waiter" || true
  left=$([ -e "$area/tree" ] && find "$area/tree" | wc -l || echo 0)
  echo "memory, $count files: $(cat "$out/peakmem.txt"); VmHWM seen from /proc: ${hwm} KiB" \
       "(entries left: $left)"
  rm -rf "$area/tree"
done
echo "load after: $(uptime)"
