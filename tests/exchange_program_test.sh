#!/usr/bin/env bash
# Real copies of the program talking through a private exchange folder on a
# fast tick: the second copy started two ticks late, alone and beside a
# running chat, a third copy standing by, and folders and files planted to
# be refused without a hang.
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
export VELK_EXCHANGE_TICK_MS=300

# start NAME FOLDER ARGS...: the program in $work/NAME (so that each copy has
# its own velk.log), printing to NAME/out.txt and NAME/err.txt, reading
# $input; its pid in $started.
input=/dev/null
start() {
  local name=$1 folder=$2
  shift 2
  mkdir -p "$work/$name"
  (cd "$work/$name" && VELK_EXCHANGE_DIR=$folder exec "$VELK" --console "$@" \
    <"$input" >out.txt 2>err.txt 9>&-) &
  started=$!
  pids+=("$started")
}
out() { cat "$work/$1/out.txt"; }
sent() { grep -c '^>> ' "$work/$1/out.txt"; }
sent_at_least() { [ "$(sent "$1")" -ge "$2" ]; }
err_lines() { grep -c '' "$work/$1/err.txt"; }
# within SECONDS CONDITION...: polls until the condition holds; false if it
# does not within the time.
within() {
  local until=$((SECONDS + $1))
  shift
  until "$@"; do
    [ $SECONDS -lt "$until" ] || return 1
    sleep 0.1
  done
}
# interrupt PID: Ctrl-C; $status is its exit status, or "hung" when it is
# still running three seconds later.
interrupt() {
  kill -INT "$1"
  for _ in $(seq 30); do kill -0 "$1" 2>/dev/null || break; sleep 0.1; done
  status=hung
  kill -0 "$1" 2>/dev/null || { wait "$1"; status=$?; }
}
private() { mkdir -m 700 "$work/$1" && echo "$work/$1"; }

# Whatever a copy received, other than the greeting request, its partner sent.
received_from() {  # received_from RECEIVER SENDER
  grep '^<< ' "$work/$1/out.txt" | cut -c4- | grep -vx -- '-GETGREET-' | while IFS= read -r line; do
    grep -qxF -- ">> $line" "$work/$2/out.txt" || echo "$line"
  done
}

# talk LABEL: copies A and B, B started two ticks after A, must take their
# parts and exchange at least eight lines within 20 s; only A logs.
talk() {
  local label=$1 folder=$2 a b
  start "$label-a" "$folder" /m --seed 11
  a=$started
  sleep 0.6
  start "$label-b" "$folder" /m --seed 12
  b=$started
  enough() { sent_at_least "$label-a" 4 && sent_at_least "$label-b" 4; }
  check "$label: eight lines exchanged within 20 s" within 20 enough
  check "$label: the first is A and Tavro" \
    [ "$(out "$label-a" | head -2)" = "Velk 2 Velk: this copy is A and plays Tavro
It writes VelkA.ini and reads VelkB.ini in $folder" ]
  check "$label: the second is B and Velk" \
    [ "$(out "$label-b" | head -1)" = "Velk 2 Velk: this copy is B and plays Velk" ]
  check "$label: A received only what B sent" [ -z "$(received_from "$label-a" "$label-b")" ]
  check "$label: B received only what A sent" [ -z "$(received_from "$label-b" "$label-a")" ]

  interrupt "$a"
  local status_a=$status
  interrupt "$b"
  check "$label: Ctrl-C ends both with status 130" [ "$status_a/$status" = 130/130 ]
  check "$label: and a line end" [ "$(tail -c 2 "$work/$label-a/out.txt" | od -An -c | tr -d ' ')" = '\n\n' ]
  check "$label: nothing on standard error" \
    [ ! -s "$work/$label-a/err.txt" -a ! -s "$work/$label-b/err.txt" ]

  local log=$work/$label-a/velk.log
  check "$label: A's log opens with the greeting request" \
    [ "$(head -1 "$log" 2>/dev/null)" = $'VELKA:>-GETGREET-\r' ]
  check "$label: A logs what it received and sent" \
    [ "$(grep -E '^(<<|>>) ' "$work/$label-a/out.txt" | sed 's/^<< /VELKA:>/; s/^>> /VELKB:>/')" \
    = "$(tr -d '\r' <"$log")" ]
  check "$label: B logs nothing" [ ! -e "$work/$label-b/velk.log" ]
  check "$label: the copies leave their files empty" \
    [ ! -s "$folder/VelkA.ini" -a ! -s "$folder/VelkB.ini" ]
}

talk late "$(private late-x)"

# A chat in the same folder has no say in the parts.
folder=$(private chat-x)
mkfifo "$work/chat-in"
exec 9<>"$work/chat-in"
input=$work/chat-in
start chat "$folder"
chat=$started
input=/dev/null
check "chat: running" within 5 grep -q . "$work/chat/out.txt"
talk chat "$folder"
check "chat: still running" kill -0 "$chat"
exec 9>&-
ended() { ! kill -0 "$1" 2>/dev/null; }
check "chat: ends at the end of its input" within 5 ended "$chat"
wait "$chat"
check "chat: with status 0" [ $? -eq 0 ]

# A third copy stands by, and takes the part of the first to end.
folder=$(private third-x)
start third-a "$folder" /m --seed 21
a=$started
sleep 0.6
start third-b "$folder" /m --seed 22
b=$started
check "third: the pair talks" within 10 sent_at_least third-b 1
start third-c "$folder" /m --seed 23
c=$started
sleep 1
check "third: one line saying it stands by" \
  [ "$(cat "$work/third-c/err.txt")" = "velk: two copies are talking in $folder already; this one stands by and takes the part of the first to end" ]
check "third: prints nothing while standing by" [ ! -s "$work/third-c/out.txt" ]
interrupt "$a"
check "third: takes part A when the first copy ends" \
  within 5 grep -qx 'Velk 2 Velk: this copy is A and plays Tavro' "$work/third-c/out.txt"
check "third: and talks with B" within 5 sent_at_least third-c 2
interrupt "$b"
interrupt "$c"

# Planted folders and files: refused with one line on standard error, and
# the copy goes on, answering Ctrl-C at once.
refused() {  # refused LABEL WHY: copy "$label" was started; checks the rest
  local label=$1 why=$2 pid=$started
  sleep 1.2
  check "$label: one line on standard error" \
    [ "$(err_lines "$label")" -eq 1 -a "$(grep -cF -- "$why" "$work/$label/err.txt")" -eq 1 ]
  check "$label: still running" kill -0 "$pid"
  interrupt "$pid"
  check "$label: Ctrl-C ends it with status 130" [ "$status" = 130 ]
}

mkdir -m 777 "$work/open-x"
start open "$work/open-x" /m
refused open "exchange folder refused: $work/open-x: can be written by other users"
check "open: says once that nothing is delivered" grep -q 'nothing is delivered' "$work/open/err.txt"
check "open: prints no line as sent" [ "$(sent open)" -eq 0 ]
check "open: writes nothing there" [ -z "$(ls "$work/open-x")" ]

folder=$(private swap-x)
start swap "$folder" /m
check "swap: greets" within 5 sent_at_least swap 1
mv "$folder" "$work/swap-old"
other=$(private swap-other)
ln -s "$other" "$folder"
printf '"injected"\r\n' >"$other/VelkB.ini"
refused swap "$folder: no longer the folder opened at start-up"
check "swap: never reads the new folder" [ -z "$(grep -F injected "$work/swap/out.txt")" ]
check "swap: never writes there" [ ! -e "$other/VelkA.ini" ]
check "swap: stays in the folder it opened" [ -f "$work/swap-old/VelkA.ini" ]

folder=$(private fifo-x)
mkfifo "$folder/VelkB.ini" "$folder/VelkA.ini.new"
start fifo "$folder" /m
refused fifo "velk: VelkB.ini: is not a regular file"
check "fifo: greets all the same" grep -q '^>> ' "$work/fifo/out.txt"

folder=$(private foreign-x)
printf '"exit"\r\n' >"$folder/VelkB.ini"
chown 65534:65534 "$folder/VelkB.ini"
start foreign "$folder" /m
refused foreign "velk: VelkB.ini: is owned by another user"
never_answered() { ! grep -q -e "^<< $1" -e "^VELKA:>$1" "$work/$2/out.txt" "$work/$2/velk.log"; }
check "foreign: its line is never answered" never_answered exit foreign

# Control bytes from the partner are shown, not obeyed.
folder=$(private escape-x)
printf '"\033[2Jhello"\r\n' >"$folder/VelkB.ini"
start escape "$folder" /m
check "escape: shown harmlessly" within 5 grep -qxF '<< ^[[2Jhello' "$work/escape/out.txt"
check "escape: no escape byte printed" [ "$(tr -cd '\033' <"$work/escape/out.txt" | wc -c)" -eq 0 ]
interrupt "$started"

# A tick shorter than the poll interval still reads the partner.
folder=$(private short-x)
VELK_EXCHANGE_TICK_MS=20 start short "$folder" /m
check "short tick: waits after greeting" within 5 grep -q '^-- Waiting' "$work/short/out.txt"
printf '"hello there"\r\n' >"$folder/VelkB.ini.tmp" && mv "$folder/VelkB.ini.tmp" "$folder/VelkB.ini"
check "short tick: answers the partner" within 3 grep -qx '<< hello there' "$work/short/out.txt"
interrupt "$started"

finish
