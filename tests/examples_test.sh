#!/usr/bin/env bash
# Installs the build into a fresh prefix and builds the examples against it,
# as another program would: through find_package(Velk) and through
# pkg-config. Each must chat on standard input.
set -uo pipefail
: "${BUILD:?the build folder}" "${SOURCE:?the source folder}"
. "$(dirname "${BASH_SOURCE[0]}")/check.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$BUILD" --prefix "$work/prefix" >/dev/null
check "headers installed" test -f "$work/prefix/include/velk/bot.h" -a -f "$work/prefix/include/velk/velk.h" \
  -a -f "$work/prefix/include/velk/version.h"
check "no internal header installed" test "$(ls "$work/prefix/include/velk" | wc -l)" -eq 3

cmake -S "$SOURCE/examples" -B "$work/examples" -DCMAKE_PREFIX_PATH="$work/prefix" >"$work/log" 2>&1 &&
  cmake --build "$work/examples" >>"$work/log" 2>&1
check "examples build against the installed package" test -x "$work/examples/chat_cpp" -a -x "$work/examples/chat_c"
[ -x "$work/examples/chat_cpp" ] || cat "$work/log"

out=$(printf 'my name is John\nhello. exit\nnever read\n' | "$work/examples/chat_cpp" 5)
check "C++ example: greeting, reply, then the end" [ "$(printf '%s\n' "$out" | wc -l)" -eq 2 ]
check "C++ example: seeded reply" [ "$(printf '%s\n' "$out" | sed -n 2p)" = "hi there John." ]
out=$(printf 'hello\nexit\nnever read\n' | "$work/examples/chat_c")
check "C example: greeting and one reply" [ "$(printf '%s\n' "$out" | wc -l)" -eq 2 ]

pc=$(find "$work/prefix" -name velk.pc)
export PKG_CONFIG_PATH=$(dirname "$pc")
check "pkg-config knows the version" [ "$(pkg-config --modversion velk)" = "${VELK_VERSION:?}" ]
libdir=$(pkg-config --variable=libdir velk)
# shellcheck disable=SC2046
cc -o "$work/chat_pc" "$SOURCE/examples/chat.c" $(pkg-config --cflags --libs velk) -Wl,-rpath,"$libdir"
out=$(printf 'hello\n' | "$work/chat_pc")
check "C example built through pkg-config" [ "$(printf '%s\n' "$out" | wc -l)" -eq 2 ]
finish
