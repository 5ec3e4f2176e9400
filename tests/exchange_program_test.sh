#!/usr/bin/env bash
# Two real copies of the program talking to each other through a private
# exchange folder, on a fast tick: they take their sides, trade lines, log
# only in the first copy and stop cleanly on an interrupt.
set -uo pipefail
: "${VELK:?path to the velk program}"
VELK=$(realpath "$VELK")

. "$(dirname "${BASH_SOURCE[0]}")/check.sh"

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill -KILL "$pid" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT
mkdir "$work/x" "$work/a" "$work/b"
export VELK_EXCHANGE_DIR=$work/x VELK_EXCHANGE_TICK_MS=300

# Each copy in its own current directory, so that each has its own velk.log.
# Started within one tick of each other.
(cd "$work/a" && exec "$VELK" --console /m --seed 11 >out.txt 2>err.txt) &
pids+=($!)
sleep 0.1
(cd "$work/b" && exec "$VELK" --console /m --seed 12 >out.txt 2>err.txt) &
pids+=($!)

sent() { grep -c '^>> ' "$work/$1/out.txt"; }
deadline=$((SECONDS + 20))
while [ $SECONDS -lt $deadline ] && kill -0 "${pids[@]}" 2>/dev/null &&
  { [ "$(sent a)" -lt 2 ] || [ "$(sent b)" -lt 2 ]; }; do
  sleep 0.2
done
check "four lines exchanged in time" [ "$(sent a)" -ge 2 -a "$(sent b)" -ge 2 ]

kill -INT "${pids[@]}"
stopped=0
for pid in "${pids[@]}"; do
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid" && stopped=$((stopped + 1))
  fi
done
pids=()
check "both stop on an interrupt with status 0" [ "$stopped" -eq 2 ]

check "first copy writes A, reads B" grep -q '^Velk 2 Velk: writing VelkA.ini, reading VelkB.ini' "$work/a/out.txt"
check "second copy writes B, reads A" grep -q '^Velk 2 Velk: writing VelkB.ini, reading VelkA.ini' "$work/b/out.txt"
check "nothing on standard error" [ ! -s "$work/a/err.txt" -a ! -s "$work/b/err.txt" ]

# Whatever a copy received, other than the greeting request, its partner sent.
received_from() {  # received_from RECEIVER SENDER
  grep '^<< ' "$work/$1/out.txt" | cut -c4- | grep -vx -- '-GETGREET-' | while IFS= read -r line; do
    grep -qxF -- ">> $line" "$work/$2/out.txt" || echo "$line"
  done
}
check "A received only what B sent" [ -z "$(received_from a b)" ]
check "B received only what A sent" [ -z "$(received_from b a)" ]

log=$work/a/velk.log
pairs=$(grep -c $'^VELKA:>.*\r$' "$log" 2>/dev/null)
check "first copy logs every pair" [ "${pairs:-0}" -ge 2 \
  -a "$(grep -c $'^VELKB:>.*\r$' "$log")" -eq "${pairs:-0}" \
  -a "$(grep -c '' "$log")" -eq $((2 * ${pairs:-0})) ]
check "logged pairs are what it received and sent" \
  [ "$(grep -v '^Velk 2' "$work/a/out.txt" | sed 's/^<< /VELKA:>/; s/^>> /VELKB:>/')" = "$(tr -d '\r' <"$log")" ]
check "second copy logs nothing" [ ! -e "$work/b/velk.log" ]

finish
