#!/usr/bin/env bash
# Installs the build into a temporary prefix, as `cmake --install` would for
# a user, and checks what lands there: the stripped program and window module
# in working order, the desktop entry, the icons and the AppStream metadata
# (with the validators, when they are installed), the manual page and the
# licence.
set -uo pipefail
: "${BUILD_DIR:?the build folder}" "${SOURCE_DIR:?the source folder}"
: "${GUI:?1 when the windows are built}" "${VELK_VERSION:?the project version}"

. "$(dirname "${BASH_SOURCE[0]}")/check.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
prefix=$work/prefix
mkdir -m 0700 xdg
export XDG_RUNTIME_DIR=$work/xdg QT_QPA_PLATFORM=offscreen
unset DISPLAY WAYLAND_DISPLAY LD_LIBRARY_PATH

check "cmake --install" cmake --install "$BUILD_DIR" --prefix "$prefix"
shopt -s nullglob
modules=("$prefix"/lib*/velk/libvelk_windows.so)
shopt -u nullglob

stripped() { ! readelf -S -W "$1" | grep -q ' \.symtab '; }
unstripped=$(find "$prefix" -type f | while read -r file; do
  readelf -h "$file" >/dev/null 2>&1 && ! stripped "$file" && echo "$file"
done)
check "every program and library stripped" [ -z "$unstripped" ]
check "installed --version" [ "$("$prefix/bin/velk" --version)" = "velk $VELK_VERSION" ]
check "installed program greets" [ -n "$("$prefix/bin/velk" --console --no-log </dev/null)" ]

man=$prefix/share/man/man1/velk.1.gz
check "manual page gzip'd" gzip -t "$man"
check "manual page carries the version" bash -c "zcat '$man' | grep -q '^\.TH VELK 1 .*\"velk $VELK_VERSION\"'"
for word in exit velk.log VELK_EXCHANGE_DIR VELK_EXCHANGE_TICK_MS XDG_RUNTIME_DIR VelkA.ini 'EXIT STATUS'; do
  check "manual page tells of $word" bash -c "zcat '$man' | grep -q -- '$word'"
done
if command -v man >/dev/null; then
  check "manual page renders without warnings" \
    bash -c "MANWIDTH=80 man --warnings -l '$man' 2>&1 >/dev/null | (! grep .)"
fi

if [ "${SERVE:-0}" = 1 ]; then
  check "installed program starts the web service" \
    bash -c "'$prefix/bin/velk' serve --help | grep -q '^usage: velk serve'"
  check "systemd unit among the examples" [ -f "$prefix/share/doc/velk/examples/velk-serve.service" ]
  check "manual page tells of velk serve" bash -c "zcat '$man' | grep -q 'POST /api/conversations'"
fi

check "licence in the doc folder" cmp -s "$SOURCE_DIR/LICENSE" "$prefix/share/doc/velk/LICENSE"
check "licence as Debian's copyright" cmp -s "$SOURCE_DIR/LICENSE" "$prefix/share/doc/velk/copyright"

if [ "$GUI" = 1 ]; then
  check "one window module" [ ${#modules[@]} -eq 1 ]
  # The stripped module still opens the window: it runs until stopped.
  timeout 2 "$prefix/bin/velk" --no-log </dev/null >out.txt 2>err.txt
  status=$?
  check "installed program opens its window" [ "$status" -eq 124 -a ! -s out.txt ]

  desktop=$prefix/share/applications/velk.desktop
  for entry in Exec=velk Icon=velk Terminal=false Name=Velk Comment= Categories=; do
    check "desktop entry: $entry" grep -q "^$entry" "$desktop"
  done
  if command -v desktop-file-validate >/dev/null; then
    check "desktop-file-validate" desktop-file-validate "$desktop"
  fi

  icons=$prefix/share/icons/hicolor
  check "scalable icon is the persona drawing" \
    cmp -s "$SOURCE_DIR/frontends/qt/resources/image1.svg" "$icons/scalable/apps/velk.svg"
  # A PNG's IHDR holds its width and height at bytes 16 to 23.
  ihdr=$(od -An -tx1 -j12 -N12 "$icons/256x256/apps/velk.png" | tr -d ' \n')
  check "256-pixel icon" [ "$ihdr" = 494844520000010000000100 ]

  metainfo=$(echo "$prefix"/share/metainfo/*.metainfo.xml)
  check "metainfo: the version released" grep -q "<release version=\"$VELK_VERSION\"" "$metainfo"
  check "metainfo: launched by the desktop entry" \
    grep -q '<launchable type="desktop-id">velk.desktop</launchable>' "$metainfo"
  if command -v appstreamcli >/dev/null; then
    check "appstreamcli validate --no-net" appstreamcli validate --no-net "$metainfo"
    # The tree: the file is named after the id, the desktop entry is there.
    mkdir -p tree/usr
    ln -s "$prefix/share" tree/usr/share
    check "appstreamcli validate-tree --no-net" appstreamcli validate-tree --no-net tree
  fi
else
  check "no window module without windows" [ ${#modules[@]} -eq 0 ]
  check "no desktop entry without windows" [ ! -e "$prefix/share/applications/velk.desktop" ]
fi

finish
