#!/usr/bin/env bash
# Start-up cost of the console chat: wall time from starting the program to
# its first line of output (the greeting), and peak resident memory.
#   bench/startup.sh [path/to/velk] [runs]
# Prints every run's time, then min / median / max of both measures.
set -euo pipefail
velk=${1:-build/velk}
runs=${2:-20}
[ -x "$velk" ] || { echo "startup.sh: no program at $velk" >&2; exit 2; }
velk=$(realpath "$velk")
[ -x /usr/bin/time ] || { echo "startup.sh: needs /usr/bin/time (package time)" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"  # whatever the program leaves behind stays out of the caller's folder

# EPOCHREALTIME is read inside the shell, so no extra process skews the clock;
# the clock starts before the fork, so fork and exec count too.
micros() { local t=${1/./}; echo $((10#$t)); }

times=()
for ((i = 0; i < runs; i++)); do
  start=$EPOCHREALTIME
  {
    IFS= read -r line || true
    end=$EPOCHREALTIME
    cat >/dev/null
  } < <(exec "$velk" --console --no-log --seed 1 </dev/null)
  wait $! 2>/dev/null || true
  [ -n "$line" ] || { echo "startup.sh: no greeting" >&2; exit 1; }
  times+=($(($(micros "$end") - $(micros "$start"))))
done

rss=()
for ((i = 0; i < runs; i++)); do
  rss+=("$(/usr/bin/time -f %M "$velk" --console --no-log --seed 1 </dev/null 2>&1 >/dev/null | tail -n 1)")
done

summary() {  # summary UNIT VALUES...
  local unit=$1
  shift
  sort -n <<<"$(printf '%s\n' "$@")" | awk -v unit="$unit" '
    { v[NR] = $1 }
    END { printf "min %s  median %s  max %s %s\n", v[1], v[int((NR + 1) / 2)], v[NR], unit }'
}

echo "greeting times (us): ${times[*]}"
echo "greeting: $(summary us "${times[@]}")"
echo "peak RSS: $(summary KiB "${rss[@]}")"
