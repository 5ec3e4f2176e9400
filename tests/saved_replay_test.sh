#!/usr/bin/env bash
# A conversation saved to a file after N lines and taken up by a fresh
# process gives the replies of the uninterrupted one, for several seeds and
# cutting points.
set -uo pipefail
replay=$1 lines=$2
. "$(dirname "${BASH_SOURCE[0]}")/check.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for seed in 1 17 4242; do
  "$replay" "$seed" <"$lines" >"$work/straight"
  for cut in 0 1 250 999; do
    "$replay" "$seed" --save-after "$cut" "$work/saved" <"$lines" >"$work/first"
    tail -n +"$((cut + 1))" "$lines" | "$replay" --restore "$work/saved" >"$work/rest"
    check "seed $seed cut after $cut lines" cmp -s "$work/straight" <(cat "$work/first" "$work/rest")
  done
done
finish
