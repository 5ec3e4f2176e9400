#!/usr/bin/env bash
# The console chat under hostile input and faults around it: huge lines,
# endless input, a log that is no regular file or cannot take a whole record,
# closed or failing standard descriptors.
set -uo pipefail
: "${VELK:?path to the velk program}"

. "$(dirname "${BASH_SOURCE[0]}")/check.sh"
lines() { grep -c '' "$1"; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export VELK_EXCHANGE_DIR="$work/exchange"
umask 022

# Peak resident memory in KiB of a command, its children included, as told
# by `rss` afterwards.
peak() { /usr/bin/time -f %M -o rss.txt "$@"; }
rss() { tail -n 1 rss.txt; }
# Sanitizers reserve their own memory: there the bound is relative to a
# short run's peak.
peak "$VELK" --console --no-log </dev/null >/dev/null
bound=$((${VELK_SANITIZED:-0} == 1 ? $(rss) + 8192 : 32768))

{
  head -c 100000000 /dev/zero | tr '\0' 'a'
  printf '\nhello\n'
} | peak "$VELK" --console --seed 1 >out.txt 2>err.txt
check "100 MB line answered" [ "$(lines out.txt)" -eq 3 ]
check "100 MB line: peak memory bounded ($(rss) KiB)" [ "$(rss)" -lt "$bound" ]
check "100 MB line: the log keeps the engine's 32,767 bytes" \
  [ "$(grep '^USER:>a' velk.log | wc -c)" -eq $((6 + 32767 + 2)) ]
check "100 MB line: next line logged" grep -q $'^USER:>hello\r$' velk.log
rm velk.log

peak timeout 1 "$VELK" --console --no-log </dev/zero >out.txt 2>err.txt
check "endless line: ended by the signal" grep -qx 'velk: terminated' err.txt
check "endless line: peak memory bounded ($(rss) KiB)" [ "$(rss)" -lt "$bound" ]

# Logs that must not be followed or waited for: the chat goes on, told once.
refused() { # NAME: answered, exit 0, one notice naming the log
  printf 'hi\nhello\n' | timeout 10 "$VELK" --console --seed 1 >out.txt 2>err.txt
  check "$1: exit 0" [ $? -eq 0 ]
  check "$1: answered" [ "$(lines out.txt)" -eq 3 ]
  check "$1: one notice" [ "$(lines err.txt)" -eq 1 ]
  check "$1: notice names the log" grep -q '^velk: cannot write velk.log (' err.txt
}
mkfifo velk.log
refused "FIFO log"
rm velk.log
ln -s target.txt velk.log
refused "dangling link"
check "dangling link: target not created" [ ! -e target.txt ]
rm velk.log

echo hi | "$VELK" --console --seed 1 >/dev/null
check "new log readable by its owner only" [ "$(stat -c %a velk.log)" = 600 ]
rm velk.log

# A log that fills up: the file size limit cuts writes short as a full disk
# does. Only whole records stay, and the next run starts on a line of its own.
for i in $(seq 40); do printf 'line %d %0200d\n' "$i" 0; done >long.txt
(
  ulimit -f 4
  trap '' XFSZ
  "$VELK" --console --seed 1 <long.txt 2>err.txt
) | cat >out.txt
check "full log: all answered" [ "$(lines out.txt)" -eq 41 ]
check "full log: one notice" [ "$(lines err.txt)" -eq 1 ]
check "full log: filled" [ "$(stat -c %s velk.log)" -gt 3000 ]
echo hi | "$VELK" --console --seed 1 >/dev/null
check "full log: whole records only" \
  [ "$(grep -cv $'^\\(Velk Tavro Log file\\.  \\|USER:>\\|VELK:>\\).*\r$' velk.log)" -eq 0 ]
check "full log: next run's header on its own line" \
  [ "$(grep -c '^Velk Tavro Log file' velk.log)" -eq 2 ]
rm velk.log

# Closed standard descriptors are not taken by the files opened later.
echo hello | "$VELK" --console --seed 1 >&-
check "closed output: exit 0" [ $? -eq 0 ]
"$VELK" --console --seed 1 <&- >out.txt 2>&-
check "closed input and error: greeting" [ "$(lines out.txt)" -eq 1 ]
check "log intact" [ "$(grep -c '^Velk Tavro Log file' velk.log)" -eq 2 ]
check "no reply written into the log" \
  [ "$(grep -cv $'^\\(Velk Tavro Log file\\.  \\|USER:>\\|VELK:>\\).*\r$' velk.log)" -eq 0 ]

# Output and input that fail end the chat with a message and status 1.
(
  trap '' PIPE
  yes hello 2>/dev/null | head -n 200000 2>/dev/null | "$VELK" --console --seed 1 2>err.txt | head -n 1 >/dev/null
  echo "${PIPESTATUS[2]}" >status.txt
)
check "dead pipe: status 1" [ "$(cat status.txt)" -eq 1 ]
check "dead pipe: told" grep -q '^velk: cannot write standard output: Broken pipe$' err.txt
check "dead pipe: stops at once" [ "$(lines velk.log)" -lt 10000 ]
echo hi | "$VELK" --console --no-log >/dev/full 2>err.txt
check "full output: status 1" [ $? -eq 1 ]
check "full output: told" grep -q 'No space left on device' err.txt
"$VELK" --console --no-log <. >/dev/null 2>err.txt
check "directory input: status 1" [ $? -eq 1 ]
check "directory input: told" grep -qx 'velk: cannot read standard input: Is a directory' err.txt

finish
