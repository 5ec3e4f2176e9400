#!/usr/bin/env bash
# Drives the built program as a user would: its arguments, its exit codes, its
# output on plain pipes, and its log.
set -uo pipefail
: "${VELK:?path to the velk program}"

. "$(dirname "${BASH_SOURCE[0]}")/check.sh"
lines() { printf '%s' "$1" | grep -c ''; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

out=$("$VELK" --console --no-log --seed 1 </dev/null)
check "greeting alone on empty input" [ "$(lines "$out")" -eq 1 ]
check "greeting not empty" [ -n "$out" ]

ten() { printf '\n%.0s' 1 2 3 4 5 6 7 8 9 10; }
out=$(ten | "$VELK" --console --no-log --seed 1)
check "ten empty lines give eleven replies" [ "$(lines "$out")" -eq 11 ]
check "no reply is empty" [ "$(printf '%s\n' "$out" | grep -c '^$')" -eq 0 ]

again=$(ten | "$VELK" --console --no-log --seed 1)
check "same seed, same replies" [ "$out" = "$again" ]
joined=$(ten | "$VELK" --console --no-log --seed=1)
check "--seed=N is --seed N" [ "$out" = "$joined" ]
other=$(ten | "$VELK" --console --no-log --seed 2)
check "another seed, other replies" [ "$out" != "$other" ]
ended=$(printf 'hello\nhello. exit\nmore\n' | "$VELK" --console --no-log --seed 1)
check "exit ends at once, the replies before it written" [ "$(lines "$ended")" -eq 2 ]

"$VELK" --help >help.txt
check "--help exits 0 with usage" grep -q '^usage: velk' help.txt
check "--version" [ "$("$VELK" --version)" = "velk ${VELK_VERSION:?}" ]

"$VELK" --bogus >/dev/null 2>err.txt
status=$?
check "bad argument exits 2" [ "$status" -eq 2 ]
check "bad argument: its error and a hint, not the usage" \
  [ "$(cat err.txt)" = "velk: unknown argument '--bogus'
Try 'velk --help' for more information." ]
"$VELK" --console --seed >/dev/null 2>err.txt
check "seed without a number exits 2" [ $? -eq 2 ]

printf 'hello\nhow are you\n' | "$VELK" --console --seed 5 >/dev/null
check "log: header first" [ "$(head -n 1 velk.log)" = $'Velk Tavro Log file.  \r' ]
check "log: six lines: header, greeting, two exchanges" [ "$(grep -c '' velk.log)" -eq 6 ]
check "log: user line kept as typed" grep -q $'^USER:>how are you\r$' velk.log
check "log: lines end in CR LF" [ "$(grep -c $'\r$' velk.log)" -eq 6 ]
printf 'hi\n' | "$VELK" --console --seed 5 >/dev/null
check "log: appended, a header per run" [ "$(grep -c '^Velk Tavro Log file' velk.log)" -eq 2 ]

# A display that cannot be reached: the console, with one line on standard
# error (:99 unless a server of this machine listens there).
x=99
while [ -e "/tmp/.X11-unix/X$x" ]; do x=$((x + 1)); done
greeting=$("$VELK" --console --no-log --seed 1 </dev/null)
for display in "DISPLAY=:$x" "WAYLAND_DISPLAY=velk-none-$$"; do
  out=$(env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$work" "$display" \
    timeout 20 "$VELK" --no-log --seed 1 </dev/null 2>err.txt)
  status=$?
  check "$display: exit 0" [ "$status" -eq 0 ]
  check "$display: greeting on standard output" [ "$out" = "$greeting" ]
  check "$display: one note on standard error" [ "$(grep -c '' err.txt)" -eq 1 ]
  check "$display: the note says why" grep -q "^velk: cannot reach the display ($display)" err.txt
done

# Hostile input: long lines, NUL bytes, invalid UTF-8. Each must get a reply.
{
  head -c 100000 /dev/zero | tr '\0' 'a'
  echo
  printf 'nul\0byte\n'
  printf '\xff\xfe\xc3 broken\n'
  printf '   \n'
} >hostile.txt
out=$(timeout 20 "$VELK" --console --no-log --seed 3 <hostile.txt)
check "hostile input answered" [ "$(lines "$out")" -eq 5 ]

finish
