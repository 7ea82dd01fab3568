#!/usr/bin/env bash
# The cost of a still screen: runs the real program in a window on a virtual
# X screen, on the title menu at rest for 10 s, once as it is and once with
# every frame presented (PresentEveryFrame=1 in port.ini), and prints the CPU
# time the program (and the X server) used in each run beside the goal: the
# still title at a fifth or less of presenting every frame.
#
# usage: bench/idle_cpu.sh [GAME_DIR] [SECONDS]
set -u
root="$(cd "$(dirname "$0")/.." && pwd)"
game_dir="${1:-$root/build/game}"
seconds="${2:-10}"
if [ "${3:-}" != "--inside" ]; then
  for tool in xvfb-run xdotool; do
    command -v "$tool" >/dev/null || { echo "idle_cpu: $tool is missing (scripts/setup test)"; exit 2; }
  done
  [ -x "$game_dir/torvel" ] || { echo "idle_cpu: no program in $game_dir (build it first)"; exit 2; }
  exec xvfb-run -a -s "-screen 0 800x600x24" "$0" "$game_dir" "$seconds" --inside
fi

ticks=$(getconf CLK_TCK)
# utime + stime of a process, in clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null || echo 0; }
window() { xdotool search --name '^TORVEL$' 2>/dev/null | head -n 1; }
key() {
  local win
  win=$(window)
  [ -n "$win" ] || return 1
  xdotool windowfocus --sync "$win" >/dev/null 2>&1
  xdotool key "$1" >/dev/null 2>&1
}

# The X server of this virtual screen, to count what presenting costs it too.
xserver=""
display_number="${DISPLAY#:}"
display_number="${display_number%%.*}"
for p in /proc/[0-9]*; do
  if tr '\0' ' ' <"$p/cmdline" 2>/dev/null | grep -q "^Xvfb :$display_number "; then
    xserver="${p#/proc/}"
    break
  fi
done

# One run: "game_percent xserver_percent".
measure() {
  local every="$1" user_dir game start_game start_x end_game end_x
  user_dir=$(mktemp -d)
  printf '[Display]\nPresentEveryFrame=%s\n' "$every" >"$user_dir/port.ini"
  # The editor first skips the opening show; leaving it brings up the title.
  SDL_AUDIODRIVER=dummy "$game_dir/torvel" window editor --user-dir "$user_dir" >/dev/null 2>&1 &
  game=$!
  for _ in $(seq 1 100); do
    [ -n "$(window)" ] && break
    sleep 0.1
  done
  sleep 1
  key Escape  # out of the editor, onto the title
  sleep 2     # the title's glow and band settle
  start_game=$(cpu_ticks "$game")
  start_x=$(cpu_ticks "$xserver")
  half=$(awk -v s="$seconds" 'BEGIN { print s / 2 }')
  sleep "$half"
  # One move of the cursor half way through, so that the title's idle show
  # (after ten seconds untouched) does not start during the measurement.
  key Down
  sleep "$half"
  end_game=$(cpu_ticks "$game")
  end_x=$(cpu_ticks "$xserver")
  kill "$game" 2>/dev/null
  wait "$game" 2>/dev/null
  rm -rf "$user_dir"
  awk -v g=$((end_game - start_game)) -v x=$((end_x - start_x)) -v t="$ticks" -v s="$seconds" \
    'BEGIN { printf "%.2f %.2f\n", 100 * g / t / s, 100 * x / t / s }'
}

read -r still_game still_x < <(measure 0)
read -r every_game every_x < <(measure 1)
echo "The title at rest for $seconds s under Xvfb, CPU use (percent of one core):"
printf '  %-34s %8s %12s\n' "" "program" "X server"
printf '  %-34s %7s%% %11s%%\n' "still frames not presented again" "$still_game" "$still_x"
printf '  %-34s %7s%% %11s%%\n' "every frame presented" "$every_game" "$every_x"
awk -v a="$still_game" -v b="$every_game" 'BEGIN {
  r = b > 0 ? a / b : 0
  printf "  program ratio %.3f (goal: 0.200 or less): %s\n", r, r <= 0.2 ? "met" : "NOT MET"
  exit r <= 0.2 ? 0 : 1
}'
