#!/usr/bin/env bash
# A tour of the game as a person plays it: starts the real program in a
# window on a virtual X screen with silent audio, sends it keys and takes a
# picture of each stop:
#
#   01-splash.png       the first opening picture
#   02-title.png        the title menu
#   03-chapter.png      the chapter movie a new game starts with
#   04-hub.png          the first world's valley, the roaming map
#   05-shop.png         the shop, entered through its door in the valley
#   06-bought.png       the shop after buying the next ware (a cheat word paid)
#   07-after-shop.png   the valley after leaving the shop
#   08-map.png          the old mill, entered through its door in a new game
#   09-fight.png        the hero shooting at what lives by the mill
#   10-pause.png        the pause menu over the mill
#   11-back.png         the valley again after the mill is won (a cheat word)
#
# The walks are timed key holds from the hero's start, so a monster roaming
# the valley that catches the hero on the way turns a stop into a challenge
# instead; look at the pictures. At the end the game is quit through the
# pause menu and the title, and the script says whether it ended cleanly.
#
# usage: tour.sh [GAME_DIR [OUT_DIR]]   (defaults: build/game, build/tour)
set -u
root="$(cd "$(dirname "$0")/../.." && pwd)"
game_dir="$(cd "${1:-$root/build/game}" && pwd)"
out_dir="${2:-$root/build/tour}"
if [ "${3:-}" != "--inside" ]; then
  # Run this script again on a fresh virtual screen.
  exec xvfb-run -a -s "-screen 0 800x600x24" "$0" "$game_dir" "$out_dir" --inside
fi
mkdir -p "$out_dir"
out_dir="$(cd "$out_dir" && pwd)"
rm -f "$out_dir"/[0-9][0-9]-*.png
user_dir="$(mktemp -d)"
trap 'rm -rf "$user_dir"' EXIT

window() { xdotool search --name '^TORVEL$' 2>/dev/null | head -n 1; }
# No window manager runs here: give the window the focus before each key.
focus() {
  local win
  win="$(window)"
  [ -n "$win" ] && xdotool windowfocus --sync "$win" >/dev/null 2>&1
}
# Each key is held for a tenth of a second, as a finger would: the menus
# look at the keys held at each step.
key() {
  focus
  for k in "$@"; do
    xdotool keydown "$k"
    sleep 0.1
    xdotool keyup "$k"
    sleep 0.15
  done
}
hold() {  # hold KEY... SECONDS: the hero walks while the keys are down
  local keys=("${@:1:$#-1}") seconds="${!#}"
  focus
  xdotool keydown "${keys[@]}"
  sleep "$seconds"
  xdotool keyup "${keys[@]}"
  sleep 0.1
}
type_word() {
  focus
  xdotool type --delay 90 "$1" >/dev/null 2>&1
  sleep 0.2
}
shot() {
  import -window root "$out_dir/$1.png" 2>/dev/null
  echo "tour: $1.png"
}
pixel() { convert "$1" -format "%[pixel:p{$2}]" info: 2>/dev/null; }
# The shop is the screen with the purple curtain behind its stats panel.
in_shop() { [ "$(pixel "$1" 680,290)" = "srgb(40,18,53)" ]; }
# The title menu is the screen whose foot is the blue band, full width.
on_title() {
  local probe="$user_dir/probe.png"
  import -window root "$probe" 2>/dev/null
  [ "$(pixel "$probe" 100,539)" = "srgb(36,66,138)" ] &&
    [ "$(pixel "$probe" 700,539)" = "srgb(36,66,138)" ]
}

tour() {
  SDL_AUDIODRIVER=dummy "$game_dir/torvel" window --data-dir "$game_dir" \
    --user-dir "$user_dir" &
  game=$!
  for _ in $(seq 1 100); do
    [ -n "$(window)" ] && break
    sleep 0.1
  done
  if [ -z "$(window)" ]; then
    echo "tour: no TORVEL window appeared"
    kill "$game" 2>/dev/null
    return 1
  fi
  sleep 1.5
  shot 01-splash

  # Escape cuts the opening pictures and the intro movie short; on the title
  # it would quit, so look before each press.
  for _ in $(seq 1 60); do
    on_title && break
    key Escape
    sleep 1
  done
  sleep 1.5
  shot 02-title

  # New game: the chapter movie, then the valley. A cheat word typed while
  # the valley fades in fills the purse for the shop.
  key Return
  sleep 3
  shot 03-chapter
  new_game_to_valley() {
    key Escape
    sleep 0.3
    type_word wexamundra
    sleep 1
  }
  new_game_to_valley
  shot 04-hub

  # The valley's monsters roam towards the hero and start a challenge when
  # they catch it, so each walk is short and starts from the hero's start.
  # The shop: up past the villager standing by the start, ten steps left
  # below the shop's door and up through it.
  hold Up 0.6
  hold Left 2.67
  hold Up 1.8
  sleep 2
  shot 05-shop
  if in_shop "$out_dir/05-shop.png"; then
    # Right once to the next ware and buy it.
    key Right
    key Return
    sleep 0.5
    shot 06-bought
    key Escape
    sleep 2
  else
    echo "tour: the hero missed the shop's door (a roaming monster, or a slow machine)"
  fi
  shot 07-after-shop

  # Quit to the title and start again for the mill.
  key Escape
  sleep 1
  key Up
  sleep 0.3
  key Return
  for _ in $(seq 1 20); do
    on_title && break
    sleep 0.5
  done
  sleep 1
  key Return
  sleep 3
  new_game_to_valley

  # The mill's door is four steps right of the hero and ten up; the
  # villager standing by the start is walked round.
  hold Up 0.6
  hold Right 1.07
  hold Up 2.2
  sleep 1.5
  shot 08-map
  # The orb of power by the start gives the staff its shots; then shoot at
  # whatever lives by the mill.
  hold Up 0.55
  hold Right 0.35
  hold Up 0.3
  hold Right 0.2
  hold Return 0.6
  shot 09-fight
  hold Return 1.5
  key Escape
  sleep 0.8
  shot 10-pause
  key Escape
  sleep 0.5
  # The cheat word that wins the map at once: back to the valley, before the
  # mill's door.
  type_word tovrimasek
  sleep 3.5
  shot 11-back

  # Quit: the pause menu's last entry, then Escape on the title.
  key Escape
  sleep 1
  key Up
  sleep 0.3
  key Return
  for _ in $(seq 1 40); do
    kill -0 "$game" 2>/dev/null || break
    if on_title; then key Escape; fi
    sleep 0.5
  done
  # The closing pictures end on any key.
  for _ in $(seq 1 20); do
    kill -0 "$game" 2>/dev/null || break
    key Escape
    sleep 0.5
  done
  if kill -0 "$game" 2>/dev/null; then
    echo "tour: the program did not end"
    kill "$game"
    return 1
  fi
  wait "$game"
  status=$?
  echo "tour: the program ended with status $status; pictures in $out_dir"
  return $status
}

tour
