# Sourced by tools/bench.sh: the measurements of one run of the bench. Each
# function writes its raw samples into the run's directory ($1); the report
# (tools/bench-report.sh) reads them back. Expects $build, $pairs,
# $warmup_cycles, $settle_seconds, $idle_seconds, $repetitions,
# $instruction_runs and $instruction_settle_seconds.

# The whole-process programs, in the order they rotate through. The floor is
# the yardstick of every whole-process ratio.
process_names=(corvane floor minimal minimal-text)

# The command line of program $1, one word a line.
process_command() {
  case $1 in
    corvane) echo "$build/bench/startup_probe" ;;
    floor) echo "$build/bench/minimal_listening_window" ;;
    minimal) echo "$build/bench/minimal_window" ;;
    minimal-text) printf '%s\n' "$build/bench/minimal_window" --chinese-label ;;
  esac
}

# The programs in the order of cycle $1: each cycle starts one further along,
# so that every program takes every place in the order equally often and a
# slow drift of the machine's load falls on all of them alike.
rotated_names() {
  local count=${#process_names[@]} index
  local first=$(( ($1 % count + count) % count ))
  for ((index = 0; index < count; index++)); do
    echo "${process_names[(first + index) % count]}"
  done
}

# Start-up to first complete paint: every program once per cycle, in rotating
# order; $warmup_cycles cycles first that are not kept.
# startup.tsv: cycle, program, wall ms, processor ms.
measure_startup() {
  local out=$1/startup.tsv cycle name wall cpu status
  local -a command
  : > "$out"
  for ((cycle = 1 - warmup_cycles; cycle <= pairs; cycle++)); do
    for name in $(rotated_names "$cycle"); do
      mapfile -t command < <(process_command "$name")
      read -r wall cpu status < <(QT_QPA_PLATFORM=xcb "$build/bench/process_timer" "${command[@]}")
      if [ "$status" != 0 ]; then
        echo "bench: $name ended with status $status during start-up" >&2
        return 1
      fi
      if [ "$cycle" -ge 1 ]; then echo "$cycle $name $wall $cpu" >> "$out"; fi
    done
  done
}

# Resident and proportional memory of process $1, in kB: "rss pss".
memory_of() {
  echo "$(awk '/^VmRSS:/ { print $2 }' "/proc/$1/status")" \
    "$(awk '/^Pss:/ { print $2 }' "/proc/$1/smaps_rollup")"
}

# Memory of one run of program $1: started, left $settle_seconds after its
# first paint, measured and ended. Sets run_memory to "rss pss".
memory_of_one_run() {
  local log
  local -a command
  log=$(mktemp)
  mapfile -t command < <(process_command "$1")
  CORVANE_BENCH_STAY=1 QT_QPA_PLATFORM=xcb "${command[@]}" > "$log" 2>&1 &
  current_child=$!
  for _ in $(seq 200); do grep -q "first paint" "$log" && break; sleep 0.05; done
  if ! grep -q "first paint" "$log"; then
    echo "bench: $1 showed no first paint within 10 s; its messages:" >&2
    tail -5 "$log" >&2
    rm -f "$log"
    return 1
  fi
  sleep "$settle_seconds"
  run_memory=$(memory_of "$current_child")
  kill "$current_child"
  wait "$current_child" 2>/dev/null || true
  current_child=""
  rm -f "$log"
}

# Memory after start, one program at a time (so that none shares the others'
# pages), in the same rotating order as the start-up.
# memory.tsv: cycle, program, resident kB, proportional kB.
measure_memory() {
  local out=$1/memory.tsv cycle name
  : > "$out"
  for ((cycle = 1; cycle <= pairs; cycle++)); do
    for name in $(rotated_names "$cycle"); do
      memory_of_one_run "$name"
      echo "$cycle $name $run_memory" >> "$out"
    done
  done
}

# Instructions (callgrind) from exec to the settled first paint of program
# $1, the last drawing before $instruction_settle_seconds of quiet (see
# bench/first_paint_hook.cpp): the hook dumps the counts after every drawing
# pass, so the figure is the sum of the dumps up to the last "drawn" one.
# Sets run_instructions to "to_settled_paint after_it".
instructions_of_one_run() {
  local dir
  local -a command
  dir=$(mktemp -d)
  mapfile -t command < <(process_command "$1")
  if ! CORVANE_BENCH_SETTLE=$instruction_settle_seconds QT_QPA_PLATFORM=xcb \
    valgrind --tool=callgrind --callgrind-out-file="$dir/out.%p" "${command[@]}" > "$dir/log" 2>&1; then
    echo "bench: $1 failed under callgrind; its messages:" >&2
    tail -5 "$dir/log" >&2
    return 1
  fi
  # The program's own dumps, in order: a fork child (the D-Bus autolaunch
  # when there is no session bus) leaves a file with a copy of the counts.
  local main part
  main=$(grep -l '^desc: Trigger: Client Request: drawn' "$dir"/out.* | head -1)
  main=${main##*/out.}
  main=${main%%.*}
  if [ -z "$main" ]; then
    echo "bench: $1 drew nothing under callgrind" >&2
    return 1
  fi
  run_instructions=$(for file in "$dir/out.$main" "$dir/out.$main".*; do
      part=${file#"$dir/out.$main"}
      awk -v part="${part#.}" '/^desc: Trigger:/ { trigger = $0 } /^totals:/ { print (part == "" ? 1e9 : part), $2, (trigger ~ /drawn/) ? 1 : 0 }' "$file"
    done | sort -g | awk '{ total += $2; if ($3) settled = total } END { printf "%d %d\n", settled, total - settled }')
  rm -rf "$dir"
}

# Instructions of Corvane and the floor, $instruction_runs times each in
# alternating order. instructions.tsv: cycle, program, instructions to the
# settled first paint, instructions after it until the end.
measure_instructions() {
  local out=$1/instructions.tsv cycle name
  : > "$out"
  for ((cycle = 1; cycle <= instruction_runs; cycle++)); do
    for name in $( ((cycle % 2)) && echo corvane floor || echo floor corvane); do
      instructions_of_one_run "$name"
      echo "$cycle $name $run_instructions" >> "$out"
    done
  done
}

# Processor time used so far by process $1, in clock ticks (user + system).
cpu_ticks_of() { awk '{ sub(/^.*\) /, ""); print $12 + $13 }' "/proc/$1/stat"; }

# Processor use of the real program over $idle_seconds, the pointer outside
# its window. idle.txt: clock ticks used, seconds, ticks per second.
measure_idle() {
  local before after
  QT_QPA_PLATFORM=xcb "$build/shell/corvane" >/dev/null 2>&1 &
  current_child=$!
  sleep 3
  before=$(cpu_ticks_of "$current_child")
  sleep "$idle_seconds"
  after=$(cpu_ticks_of "$current_child")
  kill "$current_child"
  wait "$current_child" 2>/dev/null || true
  current_child=""
  echo "$((after - before)) $idle_seconds $(getconf CLK_TCK)" > "$1/idle.txt"
}

# Runs benchmark program $2 with the arguments after it, its output into
# file $1 and its messages beside it (.log); says where a failure is told.
run_benchmark() {
  local out=$1
  shift
  if ! QT_QPA_PLATFORM=offscreen "$@" > "$out" 2> "${out%.*}.log"; then
    echo "bench: $(basename "$1") failed; its messages are in ${out%.*}.log:" >&2
    tail -5 "${out%.*}.log" >&2
    return 1
  fi
}

# Skin load, paint and move (Google Benchmark): repetitions in random
# interleaved order, aggregates only (mean, median, spread: min and max).
# JSON, since the CSV writer fails when a benchmark with counters of its own
# comes after one without, as random interleaving may order them.
measure_benchmarks() {
  local -a flags=(--benchmark_format=json --benchmark_repetitions="$repetitions"
    --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true)
  run_benchmark "$1/skin.json" "$build/bench/skin_load_bench" "${flags[@]}"
  run_benchmark "$1/paint.json" "$build/bench/paint_bench" "${flags[@]}" \
    --benchmark_filter='^BM_(MainWindowFullRepaint|DrawOnePicture632x470|FrameRepaintAfterChange)$'
  # The by-part breakdown, for reading only: kept as printed.
  run_benchmark "$1/paint-parts.txt" "$build/bench/paint_bench" --benchmark_repetitions=3 \
    --benchmark_report_aggregates_only=true --benchmark_filter='^BM_FullRepaintByPart$'
  run_benchmark "$1/move.json" "$build/bench/move_bench" "${flags[@]}"
}

# One whole run of the bench into directory $1.
measure_run() {
  mkdir -p "$1"
  echo "start $(cut -d' ' -f1-3 /proc/loadavg)" > "$1/load.txt"
  echo "bench: instructions to the settled first paint, $instruction_runs runs each (callgrind)" >&2
  measure_instructions "$1"
  echo "bench: start-up, $pairs cycles of ${#process_names[@]} programs" >&2
  measure_startup "$1"
  echo "bench: memory, $pairs cycles" >&2
  measure_memory "$1"
  echo "bench: skin load, paint, move ($repetitions repetitions, interleaved)" >&2
  measure_benchmarks "$1"
  echo "bench: ${idle_seconds}s idle" >&2
  measure_idle "$1"
  echo "end $(cut -d' ' -f1-3 /proc/loadavg)" >> "$1/load.txt"
}
