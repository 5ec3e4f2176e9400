#!/usr/bin/env bash
# The program without the window toolkit: it must not link it, must find the
# window module wherever the program is laid out, and must fall back to the
# console in the same mode when the module cannot be loaded.
set -uo pipefail
: "${VELK:?path to the velk program}"
: "${MODULE:?path to the window module}"
: "${MODULE_DIR:?the installed module folder, relative to the prefix}"

. "$(dirname "${BASH_SOURCE[0]}")/check.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir -m 0700 xdg exchange
export XDG_RUNTIME_DIR=$work/xdg VELK_EXCHANGE_DIR=$work/exchange
export QT_QPA_PLATFORM=offscreen VELK_EXCHANGE_TICK_MS=10
unset LD_LIBRARY_PATH DISPLAY WAYLAND_DISPLAY

check "program links no Qt" bash -c "! readelf -d '$VELK' | grep -q 'NEEDED.*Qt'"
# Its own copy of the engine stays private (only instantiations from the
# standard library may show, and do in unoptimised builds).
exported=$(readelf --dyn-syms -W "$MODULE" | awk '$7 != "UND" && $4 == "FUNC" { print $8 }')
check "module exports its entry point" grep -qx 'velk_run_window_v1' <<<"$exported"
check "module exports nothing else of ours" bash -c "! grep -q '^_ZN4velk' <<<'$exported'"

# A window runs its event loop until stopped; the console would answer the
# empty input and end at once.
opens_window() {  # opens_window PROGRAM ARGS...
  timeout 2 "$@" --no-log </dev/null >out.txt 2>err.txt
  local status=$?
  [ "$status" -eq 124 ] && [ ! -s out.txt ] && ! grep -q 'cannot open the window' err.txt
}
greeting=$("$VELK" --console --no-log --seed 1 </dev/null)

check "window from the build folder" opens_window "$VELK"
check "exchange window from the build folder" opens_window "$VELK" /m

mkdir -p link
ln -s "$VELK" link/velk
check "window through a symbolic link" opens_window link/velk

mkdir -p "installed/bin" "installed/$MODULE_DIR"
cp "$VELK" installed/bin/
cp "$MODULE" "installed/$MODULE_DIR/"
check "window from the installed layout" opens_window installed/bin/velk

mkdir -p alone
cp "$VELK" alone/
alone/velk --no-log --seed 1 </dev/null >out.txt 2>err.txt
status=$?
check "no module: chat goes on, exit 0" [ "$status" -eq 0 ]
check "no module: the console greeting" [ "$(cat out.txt)" = "$greeting" ]
check "no module: one line on stderr" [ "$(grep -c '' err.txt)" -eq 1 ]
check "no module: the line says why" grep -q '^velk: cannot open the window (.*libvelk_windows.so' err.txt

timeout -s TERM 1 alone/velk /m --no-log </dev/null >out.txt 2>err.txt
check "no module: the exchange stays an exchange" grep -q '^Velk 2 Velk: this copy is' out.txt
check "no module: exchange says so once" [ "$(grep -c 'cannot open the window' err.txt)" -eq 1 ]

mkdir -p broken
cp "$VELK" broken/
echo "not a library" >broken/libvelk_windows.so
broken/velk --no-log --seed 1 </dev/null >out.txt 2>err.txt
check "broken module: the console greeting" [ "$(cat out.txt)" = "$greeting" ]
check "broken module: named in the line" grep -q 'broken/libvelk_windows.so' err.txt

finish
