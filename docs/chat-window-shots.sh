#!/usr/bin/env bash
# Makes the chat window's screenshots in docs/ under a virtual X server, in a
# light and in a dark desktop theme (needs xvfb, xauth, xdotool, imagemagick):
#   docs/chat-window-shots.sh [path/to/velk]
set -euo pipefail
velk=$(realpath "${1:-build/velk}")
docs=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A dark theme as a desktop would give it: the toolkit reads KDE's colours.
mkdir -p "$work/dark"
cat >"$work/dark/kdeglobals" <<'COLOURS'
[Colors:Window]
BackgroundNormal=49,54,59
ForegroundNormal=239,240,241
[Colors:View]
BackgroundNormal=35,38,41
ForegroundNormal=239,240,241
[Colors:Button]
BackgroundNormal=49,54,59
ForegroundNormal=239,240,241
[Colors:Selection]
BackgroundNormal=61,174,233
ForegroundNormal=252,252,252
COLOURS

# shot PNG MORE [VARIABLE=VALUE...]: a conversation with --seed 1 that ends in
# a long reply; with MORE set, the reply is then clicked (copied) and the next
# line typed, not yet sent.
shot() {
  local png=$1 more=$2
  shift 2
  xvfb-run -a -s "-screen 0 640x480x24" env "$@" bash -c '
    cd "$1"
    "$2" --seed 1 --no-log & app=$!
    for _ in $(seq 50); do
      win=$(xdotool search --name "Velk Tavro" 2>/dev/null | head -n 1 || true)
      [ -n "$win" ] && break
      sleep 0.2
    done
    sleep 1
    xdotool mousemove 300 20
    line="my favourite thing is walking with my grandmother Margaret along the windy cliffs"
    line+=" of Cornwall every single Sunday morning before breakfast while the seagulls"
    line+=" scream overhead and the fishermen haul their nets"
    for typed in "$line" "$line" "what about Cornwall"; do
      xdotool type --delay 4 "$typed"
      xdotool key Return
      sleep 8
    done
    if [ -n "$4" ]; then
      xdotool mousemove 200 80 click 1
      xdotool mousemove 300 20
      xdotool type --delay 4 "$4"
      sleep 0.5
    fi
    [ -n "$win" ] || { echo "no window" >&2; exit 1; }
    import -window "$win" "$3"
    kill "$app"' shot "$work" "$velk" "$png" "$more"
}

shot "$docs/chat-window.png" "" XDG_CONFIG_HOME="$work/light"
shot "$docs/chat-window-dark.png" "and what do you like" XDG_CONFIG_HOME="$work/dark" XDG_CURRENT_DESKTOP=KDE \
  KDE_SESSION_VERSION=5
