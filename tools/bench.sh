#!/usr/bin/env bash
# Builds Corvane in Release with the benchmarks (build-perf/) and measures
# everything the "Performance and hardening" table of README.md shows, each
# figure against its yardstick measured in the same run:
#
#   tools/bench.sh              the whole set (about 3 minutes, 60 s of it idle)
#   IDLE_SECONDS=10 tools/bench.sh    a shorter idle measurement
#
# Start-up, idle CPU and memory run the real programs under Xvfb; the paint
# and move benchmarks run the real main window offscreen. The table is
# printed at the end and kept in build-perf/bench-results.md.
set -euo pipefail
cd "$(dirname "$0")/.."

idle_seconds=${IDLE_SECONDS:-60}
runs=${STARTUP_RUNS:-20}
build=build-perf
results=$build/bench-results.md

# The bench alone needs hyperfine (whole-process timing) and xdotool (to put
# the pointer outside the window); the test suite does not.
missing=()
for tool in hyperfine xdotool; do command -v "$tool" >/dev/null || missing+=("$tool"); done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B $build -DCMAKE_BUILD_TYPE=Release -DCORVANE_BENCH=ON -DCORVANE_TESTS=ON >/dev/null
cmake --build $build -j"$(nproc)" --target corvane startup_probe minimal_window minimal_listening_window paint_bench move_bench \
  skin_load_bench flood_harness >/dev/null

# --- an X server of our own ---
display=62
while [ -e /tmp/.X11-unix/X$display ]; do display=$((display + 1)); done
Xvfb :$display -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
children=("$xvfb")
cleanup() { for pid in "${children[@]}"; do kill "$pid" 2>/dev/null || true; done; }
trap cleanup EXIT
export DISPLAY=:$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# Google Benchmark CSV: the value of column $2 (real_time or cpu_time) of the
# benchmark named $3 in file $1, in microseconds.
bench_value() {
  awk -F, -v column="$2" -v name="\"$3\"" '
    NR == 1 { for (i = 1; i <= NF; i++) index_of[$i] = i; next }
    $1 == name { print $(index_of[column]); exit }' "$1"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
fmt() { awk -v v="$1" 'BEGIN { printf "%.1f", v }'; }

# --- start-up to first complete paint ---
echo "bench: start-up, $runs runs each" >&2
hyperfine --warmup 3 --runs "$runs" --export-csv $build/startup.csv --style none \
  -n corvane "QT_QPA_PLATFORM=xcb $build/bench/startup_probe" \
  -n minimal "QT_QPA_PLATFORM=xcb $build/bench/minimal_window" \
  -n minimal-text "QT_QPA_PLATFORM=xcb $build/bench/minimal_window --chinese-label" \
  -n minimal-listening "QT_QPA_PLATFORM=xcb $build/bench/minimal_listening_window" >/dev/null
startup_of() { awk -F, -v name="$1" '$1 == name { printf "%.1f", $4 * 1000 }' $build/startup.csv; }  # median, ms
# Processor time (user + system, mean): steadier than the wall clock on a busy machine.
startup_cpu_of() { awk -F, -v name="$1" '$1 == name { printf "%.1f", ($5 + $6) * 1000 }' $build/startup.csv; }
startup_corvane=$(startup_of corvane)
startup_minimal=$(startup_of minimal)
startup_minimal_text=$(startup_of minimal-text)
startup_cpu_corvane=$(startup_cpu_of corvane)
startup_cpu_minimal=$(startup_cpu_of minimal)
startup_cpu_minimal_text=$(startup_cpu_of minimal-text)
startup_minimal_listening=$(startup_of minimal-listening)
startup_cpu_minimal_listening=$(startup_cpu_of minimal-listening)

# --- skin load, paint, move (Google Benchmark) ---
echo "bench: skin load, paint, move" >&2
$build/bench/skin_load_bench --benchmark_format=csv --benchmark_repetitions=3 \
  --benchmark_report_aggregates_only=true 2>/dev/null > $build/skin.csv
# The by-part breakdown sets counters of its own, which the CSV writer cannot
# mix with the other rows: it runs on its own and is kept as printed.
QT_QPA_PLATFORM=offscreen $build/bench/paint_bench --benchmark_format=csv --benchmark_repetitions=3 \
  --benchmark_report_aggregates_only=true --benchmark_filter=-BM_FullRepaintByPart 2>/dev/null > $build/paint.csv
QT_QPA_PLATFORM=offscreen $build/bench/paint_bench --benchmark_repetitions=3 \
  --benchmark_report_aggregates_only=true --benchmark_filter=BM_FullRepaintByPart 2>/dev/null > $build/paint-parts.txt
QT_QPA_PLATFORM=offscreen $build/bench/move_bench --benchmark_format=csv --benchmark_repetitions=3 \
  --benchmark_report_aggregates_only=true 2>/dev/null > $build/move.csv
skin_load=$(bench_value $build/skin.csv cpu_time BM_LoadStoredSkin_median)
skin_inflate=$(bench_value $build/skin.csv cpu_time BM_InflateStoredSkinOnly_median)
paint_window=$(bench_value $build/paint.csv cpu_time BM_MainWindowFullRepaint_median)
paint_picture=$(bench_value $build/paint.csv cpu_time BM_DrawOnePicture632x470_median)
paint_after_change=$(bench_value $build/paint.csv cpu_time BM_FrameRepaintAfterChange_median)
# "board=24.2 button=1.15 ..." from the median line, one decimal each.
paint_parts=$(awk '/_median/ { for (i = 1; i <= NF; i++) if ($i ~ /=/) { split($i, kv, "="); printf "%s%s %.1f", sep, kv[1], kv[2]; sep = ", " } }' \
  $build/paint-parts.txt | tr '_' ' ')
move=$(bench_value $build/move.csv real_time BM_MoveDropToTurnHandedOver/manual_time_median)
round_trip=$(bench_value $build/move.csv real_time BM_LoopbackRoundTrip/manual_time_median)
move_limit=$(awk -v r="$round_trip" 'BEGIN { printf "%.1f", 1.5 * r + 50 }')

# --- memory after start, then idle CPU, of the real program ---
rss_of() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }
cpu_ticks_of() { awk '{ sub(/^.*\) /, ""); print $12 + $13 }' "/proc/$1/stat"; }  # utime + stime

echo "bench: memory and ${idle_seconds}s idle" >&2
CORVANE_BENCH_STAY=1 QT_QPA_PLATFORM=xcb $build/bench/minimal_window >/dev/null &
minimal=$!; children+=("$minimal")
CORVANE_BENCH_STAY=1 QT_QPA_PLATFORM=xcb $build/bench/minimal_window --chinese-label >/dev/null &
minimal_text=$!; children+=("$minimal_text")
CORVANE_BENCH_STAY=1 QT_QPA_PLATFORM=xcb $build/bench/minimal_listening_window >/dev/null &
minimal_listening=$!; children+=("$minimal_listening")
QT_QPA_PLATFORM=xcb $build/shell/corvane >/dev/null 2>&1 &
corvane=$!; children+=("$corvane")
xdotool mousemove 0 0  # the pointer well outside both windows
sleep 3
rss_corvane=$(rss_of $corvane)
rss_minimal=$(rss_of $minimal)
rss_minimal_text=$(rss_of $minimal_text)
rss_minimal_listening=$(rss_of $minimal_listening)
kill $minimal $minimal_text $minimal_listening
ticks_before=$(cpu_ticks_of $corvane)
sleep "$idle_seconds"
ticks_after=$(cpu_ticks_of $corvane)
kill $corvane
hz=$(getconf CLK_TCK)
idle_cpu=$(awk -v t=$((ticks_after - ticks_before)) -v hz="$hz" -v s="$idle_seconds" \
  'BEGIN { printf "%.3f", t / hz / s * 100 }')

# --- flood ---
echo "bench: flood of 200000 datagrams" >&2
QT_QPA_PLATFORM=offscreen $build/tests/integration/flood_harness > $build/flood.txt 2>/dev/null || true

verdict() { awk -v v="$1" -v limit="$2" 'BEGIN { print (v <= limit ? "met" : "NOT met") }'; }
startup_ratio=$(ratio "$startup_corvane" "$startup_minimal")
skin_ratio=$(ratio "$skin_load" "$skin_inflate")
paint_ratio=$(ratio "$paint_window" "$paint_picture")
move_ratio=$(ratio "$move" "$move_limit")
idle_ratio=$(ratio "$idle_cpu" 0.2)
rss_ratio=$(ratio "$rss_corvane" "$rss_minimal")

{
  echo "Measured $(date -u '+%Y-%m-%d %H:%M UTC') on $(nproc) cores ($(uname -m)), load average $(cut -d' ' -f1-3 /proc/loadavg)."
  echo
  echo "| Figure | Corvane | Yardstick | Ratio | Limit | Target |"
  echo "|---|---|---|---|---|---|"
  echo "| Start-up to first complete paint (Xvfb, whole process, median of $runs) | $startup_corvane ms | minimal 632 × 450 window $startup_minimal ms | ${startup_ratio}× | ≤ 1.3× | $(verdict "$startup_ratio" 1.3) |"
  echo "| (same, processor time user + system) | $startup_cpu_corvane ms | $startup_cpu_minimal ms | $(ratio "$startup_cpu_corvane" "$startup_cpu_minimal")× | ≤ 1.3× | $(verdict "$(ratio "$startup_cpu_corvane" "$startup_cpu_minimal")" 1.3) |"
  echo "| (for comparison: the minimal window with one Chinese label, wall / processor) | | $startup_minimal_text ms / $startup_cpu_minimal_text ms | $(ratio "$startup_corvane" "$startup_minimal_text")× / $(ratio "$startup_cpu_corvane" "$startup_cpu_minimal_text")× | | |"
  echo "| (for comparison: the same listening on a UDP port, Qt Network loaded, wall / processor) | | $startup_minimal_listening ms / $startup_cpu_minimal_listening ms | $(ratio "$startup_corvane" "$startup_minimal_listening")× / $(ratio "$startup_cpu_corvane" "$startup_cpu_minimal_listening")× | | |"
  echo "| Skin: load the stored skin from its bytes (CPU) | $(fmt "$skin_load") µs | inflate alone $(fmt "$skin_inflate") µs | ${skin_ratio}× | ≤ 1.5× | $(verdict "$skin_ratio" 1.5) |"
  echo "| Paint: full repaint of the main window, 680 × 490 (CPU; its parts in µs: $paint_parts) | $(fmt "$paint_window") µs | one 632 × 470 picture $(fmt "$paint_picture") µs | ${paint_ratio}× | ≤ 4× | $(verdict "$paint_ratio" 4) |"
  echo "| (for comparison: repaint after a change the frame shows, its picture drawn again) | $(fmt "$paint_after_change") µs | | | | |"
  echo "| Move: drop to turn handed over by the returning datagram | $(fmt "$move") µs | 1.5 × loopback round trip ($(fmt "$round_trip") µs) + 50 µs = $move_limit µs | ${move_ratio}× of limit | ≤ 1× of limit | $(verdict "$move_ratio" 1) |"
  echo "| Idle CPU over ${idle_seconds} s, pointer outside (Xvfb) | ${idle_cpu} % | 0.2 % | ${idle_ratio}× of limit | < 1× of limit | $(verdict "$idle_ratio" 0.999) |"
  echo "| Resident memory 3 s after start (Xvfb) | $((rss_corvane / 1024)) MB ($rss_corvane kB) | minimal window $((rss_minimal / 1024)) MB ($rss_minimal kB) | ${rss_ratio}× | ≤ 1.25× | $(verdict "$rss_ratio" 1.25) |"
  echo "| (for comparison: the minimal window with one Chinese label) | | $((rss_minimal_text / 1024)) MB ($rss_minimal_text kB) | $(ratio "$rss_corvane" "$rss_minimal_text")× | | |"
  echo "| (for comparison: the same listening on a UDP port, Qt Network loaded) | | $((rss_minimal_listening / 1024)) MB ($rss_minimal_listening kB) | $(ratio "$rss_corvane" "$rss_minimal_listening")× | | |"
  echo
  echo "Flood (200,000 datagrams from another process):"
  echo
  sed 's/^flood: /- /' $build/flood.txt
} > $results
cat $results
