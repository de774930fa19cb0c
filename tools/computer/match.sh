#!/usr/bin/env bash
# Plays games between two headless computer peers over loopback UDP and
# counts who wins: a side wins when the other concedes ("resign") or loses
# its general; a game still going after MAX_PLIES plies is a draw.
#
#   tools/computer/match.sh GAMES LEVEL_A LEVEL_B [MOVE_TIME_A_MS MOVE_TIME_B_MS]
#
# A plays red in odd games and black in even ones. Needs the built
# build/tools/computer/corvane-computer (or CORVANE_COMPUTER) and the engine.
# Run it inside a private network namespace (unshare -n) when other programs
# may use ports 47001 and 47002.
set -euo pipefail
cd "$(dirname "$0")/../.."
games=${1:?games}
level_a=${2:?level A}
level_b=${3:?level B}
time_a=${4:-}
time_b=${5:-}
max_plies=${MAX_PLIES:-300}
program=${CORVANE_COMPUTER:-build/tools/computer/corvane-computer}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

a_wins=0 b_wins=0 draws=0 plies_total=0
for game in $(seq 1 "$games"); do
  if [ $((game % 2)) = 1 ]; then red=a black=b; else red=b black=a; fi
  args() { # side letter
    local level time
    if [ "$2" = a ]; then level=$level_a time=$time_a; else level=$level_b time=$time_b; fi
    echo "--side $1 --level $level ${time:+--move-time $time}"
  }
  # shellcheck disable=SC2046
  "$program" $(args black $black) --local-port 47002 --remote-port 47001 > "$work/black" 2>/dev/null &
  black_pid=$!
  sleep 0.3
  # shellcheck disable=SC2046
  "$program" $(args red $red) --local-port 47001 --remote-port 47002 > "$work/red" 2>/dev/null &
  red_pid=$!
  result=draw
  while :; do
    sleep 0.5
    if grep -q resign "$work/red"; then result=black; break; fi
    if grep -q resign "$work/black"; then result=red; break; fi
    last=$(cat "$work/red" "$work/black" | awk '{print $1}' | sort -n | tail -1)
    [ "${last:-0}" -ge "$max_plies" ] && break
  done
  kill -TERM $red_pid $black_pid 2>/dev/null || true
  wait $red_pid $black_pid 2>/dev/null || true
  plies=$(cat "$work/red" "$work/black" | awk '{print $1}' | sort -n | tail -1)
  plies_total=$((plies_total + ${plies:-0}))
  case $result in
    red) winner=${red} ;;
    black) winner=${black} ;;
    *) winner=draw ;;
  esac
  case $winner in a) a_wins=$((a_wins + 1)) ;; b) b_wins=$((b_wins + 1)) ;; *) draws=$((draws + 1)) ;; esac
  echo "game $game: A ($( [ $red = a ] && echo red || echo black )) - ${plies:-0} plies - winner: $winner"
done
echo "A (level $level_a) won $a_wins, B (level $level_b) won $b_wins, $draws draws; $((plies_total / games)) plies a game on average"
