#!/usr/bin/env bash
# Builds Corvane in Release with the benchmarks (build-perf/) and measures
# everything the "Performance and hardening" table of README.md shows, each
# figure against its yardstick measured in the same run:
#
#   tools/bench.sh              three runs of the whole set, one after the other
#   tools/bench.sh --runs 1     one run (the targets are then not judged)
#   tools/bench.sh --report     the table again from the last runs' samples
#
# A target counts as met only when it holds in each of three consecutive
# runs. Within a run the whole-process figures (start-up, memory) run the
# programs in rotating order, one at a time, and report median and spread;
# the benchmarks run with repetitions in random interleaved order.
#
# Settings, from the environment:
#   BENCH_ROUNDS=3             runs of the whole set (--runs N overrides)
#   BENCH_PAIRS=20             runs of each program per whole-process figure (at least 15 to judge)
#   BENCH_SETTLE_SECONDS=1     wait after the first paint before memory is read
#   BENCH_REPETITIONS=10       repetitions of each benchmark
#   IDLE_SECONDS=60            length of the idle measurement
#   BENCH_INSTRUCTION_RUNS=1   callgrind counts of Corvane and the floor per run
#   BENCH_INSTRUCTION_SETTLE=5 seconds without drawing that make the first paint settled
#   BENCH_DISPLAY=62           first X display number to try for the bench's Xvfb
#   BENCH_FLOOD=1              0 skips the flood (run once, after the runs)
#
# Start-up is also counted in instructions (callgrind, from exec to the
# settled first paint), which unlike the times does not move with the
# machine's load. Start-up, memory and idle run the real programs under Xvfb; the paint and
# move benchmarks run the real main window offscreen. The table is printed
# at the end and kept in build-perf/bench-results.md, the raw samples of run
# N in build-perf/bench-runs/N/.
set -euo pipefail
cd "$(dirname "$0")/.."

rounds=${BENCH_ROUNDS:-3}
report_only=0
while [ $# -gt 0 ]; do
  case $1 in
    --report) report_only=1; shift ;;
    --runs) rounds=$2; shift 2 ;;
    --runs=*) rounds=${1#--runs=}; shift ;;
    -h | --help) sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//'; exit 0 ;;
    *) echo "bench: unknown argument $1 (see --help)" >&2; exit 2 ;;
  esac
done
pairs=${BENCH_PAIRS:-20}
settle_seconds=${BENCH_SETTLE_SECONDS:-1}
repetitions=${BENCH_REPETITIONS:-10}
idle_seconds=${IDLE_SECONDS:-60}
instruction_runs=${BENCH_INSTRUCTION_RUNS:-1}
instruction_settle_seconds=${BENCH_INSTRUCTION_SETTLE:-5}
warmup_cycles=2
build=build-perf
results=$build/bench-results.md
[ "$pairs" -ge 15 ] || echo "bench: BENCH_PAIRS=$pairs is below the 15 a judged figure needs" >&2

source tools/bench-measure.sh
source tools/bench-report.sh

if [ "$report_only" = 1 ]; then
  # shellcheck source=/dev/null
  source $build/bench-runs/settings
  write_report > $results
  cat $results
  exit 0
fi

# The bench alone needs xdotool (to put the pointer outside the window) and
# xdpyinfo (to wait for the X server); the test suite does not.
missing=()
command -v xdotool >/dev/null || missing+=(xdotool)
command -v xdpyinfo >/dev/null || missing+=(x11-utils)
command -v valgrind >/dev/null || missing+=(valgrind)
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S . -B $build -DCMAKE_BUILD_TYPE=Release -DCORVANE_BENCH=ON -DCORVANE_TESTS=ON "${launcher[@]}" >/dev/null
cmake --build $build -j"$(nproc)" --target corvane startup_probe minimal_window minimal_listening_window \
  process_timer paint_bench move_bench skin_load_bench flood_harness >/dev/null

# --- an X server of our own ---
display=${BENCH_DISPLAY:-62}
while [ -e /tmp/.X11-unix/X$display ]; do display=$((display + 1)); done
# -noreset: without it the server resets whenever its last client leaves, and
# a program starting at that moment cannot connect.
Xvfb :$display -screen 0 1024x768x24 -nolisten tcp -noreset >$build/xvfb.log 2>&1 &
xvfb=$!
current_child=""
cleanup() {
  [ -z "$current_child" ] || kill "$current_child" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY=:$display
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
if ! xdpyinfo >/dev/null 2>&1; then
  echo "bench: the X server :$display did not start; its messages:" >&2
  cat $build/xvfb.log >&2
  exit 1
fi
xdotool mousemove 1023 767  # the bottom right corner, outside every window

rm -rf $build/bench-runs
mkdir -p $build/bench-runs
measured_at=$(date -u '+%Y-%m-%d %H:%M UTC')
declare -p measured_at rounds pairs settle_seconds repetitions idle_seconds instruction_runs instruction_settle_seconds > $build/bench-runs/settings
for ((round = 1; round <= rounds; round++)); do
  echo "bench: run $round of $rounds" >&2
  measure_run "$build/bench-runs/$round"
  derive_figures "$build/bench-runs/$round"
done

rm -f $build/flood.txt
if [ "${BENCH_FLOOD:-1}" != 0 ]; then
  echo "bench: flood of 200000 datagrams" >&2
  QT_QPA_PLATFORM=offscreen $build/tests/integration/flood_harness > $build/flood.txt 2>/dev/null || true
fi

write_report > $results
cat $results
