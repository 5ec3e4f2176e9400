# Shared by the shell tests: `check NAME COMMAND...` runs a condition and
# counts it; `finish` prints the tally and fails when anything failed.
passes=0
failures=0
check() {
  local name=$1
  shift
  if "$@"; then
    echo "ok   $name"
    passes=$((passes + 1))
  else
    echo "FAIL $name"
    failures=$((failures + 1))
  fi
}
finish() {
  echo "$passes passed, $failures failed"
  [ "$failures" -eq 0 ]
}
