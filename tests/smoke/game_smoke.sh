#!/usr/bin/env bash
# Starts the real program in a window on a virtual X screen with silent
# audio, lets it show its start-up, screenshots it, then presses Escape until
# it has gone through the splash pictures, the intro movie, the title menu and
# the closing pictures, and checks that it ended cleanly.
#
# usage: game_smoke.sh GAME_DIR OUT_DIR
set -u
game_dir="$1"
out_dir="$2"
if [ "${3:-}" != "--inside" ]; then
  # Run this script again on a fresh virtual screen.
  exec xvfb-run -a -s "-screen 0 800x600x24" "$0" "$game_dir" "$out_dir" --inside
fi
mkdir -p "$out_dir"
user_dir="$(mktemp -d)"
trap 'rm -rf "$user_dir"' EXIT

inner() {
  SDL_AUDIODRIVER=dummy "$game_dir/torvel" window --user-dir "$user_dir" &
  game=$!
  # Wait for the window.
  for _ in $(seq 1 100); do
    if xdotool search --name '^TORVEL$' >/dev/null 2>&1; then break; fi
    sleep 0.1
  done
  if ! xdotool search --name '^TORVEL$' >/dev/null 2>&1; then
    echo "smoke: no TORVEL window appeared"
    kill "$game" 2>/dev/null
    return 1
  fi
  sleep 1.5
  import -window root "$out_dir/startup.png" 2>/dev/null
  # Escape ends the pictures, the movie and the title menu; keep pressing
  # until the program has gone.
  for _ in $(seq 1 240); do
    kill -0 "$game" 2>/dev/null || break
    win=$(xdotool search --name '^TORVEL$' 2>/dev/null | head -n 1)
    if [ -n "$win" ]; then
      # No window manager runs here: give the window the focus ourselves.
      xdotool windowfocus --sync "$win" >/dev/null 2>&1
      xdotool key Escape >/dev/null 2>&1
    fi
    sleep 0.25
  done
  if kill -0 "$game" 2>/dev/null; then
    echo "smoke: the program did not end after Escape"
    kill "$game"
    return 1
  fi
  wait "$game"
  status=$?
  echo "smoke: the program ended with status $status"
  return $status
}

inner
