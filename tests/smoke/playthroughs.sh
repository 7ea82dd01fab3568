#!/usr/bin/env bash
# The recorded playthroughs through the game's own replay program, as anyone
# would check them: each plays back the same (status 0) and says it finished
# its world; the last one also that the ending was reached. Worlds not
# recorded yet are left out; with none at all the test is skipped.
#
# usage: playthroughs.sh TORVEL PLAYTHROUGH_DIR WORK_DIR
set -u
torvel="$1"
dir="$2"
work_dir="$3"
names=(river forest castle under)
failures=0
played=0
mkdir -p "$work_dir"
for w in 0 1 2 3; do
  file="$dir/${names[$w]}.rpl"
  if [ ! -f "$file" ]; then
    echo "${names[$w]}: not recorded yet"
    continue
  fi
  played=$((played + 1))
  log="$work_dir/${names[$w]}.txt"
  "$torvel" --replay "$file" >"$log" 2>&1
  status=$?
  echo "${names[$w]}: $(tail -n 1 "$log")"
  if [ "$status" != 0 ]; then
    echo "  FAILED: status $status (see $log)"
    failures=$((failures + 1))
  fi
  if ! grep -q "^world finished: $w at step" "$log"; then
    echo "  FAILED: no \"world finished: $w\""
    failures=$((failures + 1))
  fi
  if [ "$w" = 3 ] && ! grep -q "^ending reached at step" "$log"; then
    echo "  FAILED: no \"ending reached\""
    failures=$((failures + 1))
  fi
done
if [ "$played" = 0 ]; then
  echo "no playthroughs recorded yet"
  exit 77
fi
[ "$failures" = 0 ]
