#!/bin/sh
# A stand-in for the engine that speaks just enough UCI for the tests. Its
# answers to "go" are the words of STAND_IN_ANSWERS, one per "go", in turn:
#   a move   "bestmove <move>"
#   none     "bestmove (none)"
#   die      the program ends
#   hang     nothing, ever
# When the words are used up it answers "bestmove (none)". When STAND_IN_PIDS
# names a file, its process id is added to it.
[ -n "${STAND_IN_PIDS:-}" ] && echo $$ >> "$STAND_IN_PIDS"
set -- ${STAND_IN_ANSWERS:-}
while read -r line; do
  case $line in
    uci) echo "id name stand-in"; echo "uciok" ;;
    isready) echo "readyok" ;;
    go*)
      answer=none
      if [ $# -gt 0 ]; then answer=$1; shift; fi
      case $answer in
        die) exit 3 ;;
        hang) ;;
        none) echo "bestmove (none)" ;;
        *) echo "bestmove $answer ponder a1a2" ;;
      esac ;;
    quit) exit 0 ;;
  esac
done
