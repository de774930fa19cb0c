# Sourced by tools/bench.sh: turns the raw samples of each run (written by
# tools/bench-measure.sh) into figures, judges the targets over all runs and
# writes the Markdown table. Expects $build, $measured_at, $rounds, $pairs,
# $repetitions, $settle_seconds, $idle_seconds, $instruction_runs and
# $instruction_settle_seconds.

# The targets: key of the figure, how it must compare with the limit, the
# limit, and what the figure is. Every ratio is taken against its yardstick
# measured in the same run; the whole-process ones against the floor.
targets=(
  "ratio.instructions.floor|le|1.55|Start-up to settled first paint, instructions (callgrind), against the floor"
  "ratio.wall.floor|le|1.10|Start-up to first complete paint, wall clock, against the floor"
  "ratio.cpu.floor|le|1.15|Start-up to first complete paint, processor time, against the floor"
  "ratio.rss.floor|le|1.05|Resident memory after start, against the floor"
  "ratio.pss.floor|le|1.05|Proportional memory after start, against the floor"
  "ratio.skin|le|1.5|Skin load against inflating its stream alone"
  "ratio.paint|le|2.5|Full repaint of the main window against one 632 × 470 picture"
  "ratio.move|le|1|Move against its limit (1.5 × loopback round trip + 50 µs)"
  "idle.percent|lt|0.2|Idle processor use, pointer outside (%)"
)
runs_needed=3
pairs_needed=15

# The ratio of figure $1 as a table cell: "1.23×", the idle use "0.000 %".
cell() {
  if [ "$1" = idle.percent ]; then awk -v v="$2" 'BEGIN { printf "%.3f %%", v }'
  else awk -v v="$2" 'BEGIN { printf "%.2f×", v }'; fi
}

# Median, quartiles and extremes of the numbers on standard input, one a
# line: "median q1 q3 min max" (quartiles by linear interpolation).
summarize() {
  sort -g | awk '{ v[NR] = $1 }
    function at(p,   h, i) { h = (NR - 1) * p + 1; i = int(h); return i >= NR ? v[NR] : v[i] + (h - i) * (v[i + 1] - v[i]) }
    END { if (NR == 0) { print "- - - - -"; exit }
          printf "%.4f %.4f %.4f %.4f %.4f\n", at(0.5), at(0.25), at(0.75), v[1], v[NR] }'
}

# Column $3 of the rows of program $2 in the samples file $1.
column_of() { awk -v name="$2" -v column="$3" '$2 == name { print $column }' "$1"; }

# Corvane's value over program $3's in the same cycle, column $2 of file $1:
# one ratio per cycle.
paired_ratios() {
  awk -v column="$2" -v other="$3" '$2 == "corvane" { a[$1] = $column } $2 == other { b[$1] = $column }
    END { for (c in a) if ((c in b) && b[c] > 0) print a[c] / b[c] }' "$1"
}

# Google Benchmark JSON $1: "median min max" of field $2 (real_time or
# cpu_time) of benchmark $3, in the unit the benchmark reports (µs here).
benchmark_spread() {
  awk -v field="\"$2\":" -v name="$3" '
    $1 == "\"name\":" { current = $2; gsub(/[",]/, "", current) }
    $1 == field { value = $2; sub(/,$/, "", value); of[current] = value + 0 }
    END { print of[name "_median"], of[name "_min"], of[name "_max"] }' "$1"
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.4f", a / b }'; }

# figures.tsv of run directory $1: one figure a line, "key median low high",
# low and high the interquartile range of the whole-process figures and the
# fastest and slowest repetition of the benchmarks.
derive_figures() {
  local dir=$1 name load inflate window picture move trip limit
  {
    for name in "${process_names[@]}"; do
      echo "wall.$name $(column_of "$dir/startup.tsv" "$name" 3 | summarize | cut -d' ' -f1-3)"
      echo "cpu.$name $(column_of "$dir/startup.tsv" "$name" 4 | summarize | cut -d' ' -f1-3)"
      echo "rss.$name $(column_of "$dir/memory.tsv" "$name" 3 | summarize | cut -d' ' -f1-3)"
      echo "pss.$name $(column_of "$dir/memory.tsv" "$name" 4 | summarize | cut -d' ' -f1-3)"
    done
    for name in floor minimal minimal-text; do
      echo "ratio.wall.$name $(paired_ratios "$dir/startup.tsv" 3 "$name" | summarize | cut -d' ' -f1-3)"
      echo "ratio.cpu.$name $(paired_ratios "$dir/startup.tsv" 4 "$name" | summarize | cut -d' ' -f1-3)"
      echo "ratio.rss.$name $(paired_ratios "$dir/memory.tsv" 3 "$name" | summarize | cut -d' ' -f1-3)"
      echo "ratio.pss.$name $(paired_ratios "$dir/memory.tsv" 4 "$name" | summarize | cut -d' ' -f1-3)"
    done
    echo "instructions.corvane $(column_of "$dir/instructions.tsv" corvane 3 | summarize | cut -d' ' -f1,4,5)"
    echo "instructions.floor $(column_of "$dir/instructions.tsv" floor 3 | summarize | cut -d' ' -f1,4,5)"
    echo "instructions.after.corvane $(column_of "$dir/instructions.tsv" corvane 4 | summarize | cut -d' ' -f1,4,5)"
    echo "instructions.after.floor $(column_of "$dir/instructions.tsv" floor 4 | summarize | cut -d' ' -f1,4,5)"
    echo "ratio.instructions.floor $(paired_ratios "$dir/instructions.tsv" 3 floor | summarize | cut -d' ' -f1,4,5)"
    load=$(benchmark_spread "$dir/skin.json" cpu_time BM_LoadStoredSkin)
    inflate=$(benchmark_spread "$dir/skin.json" cpu_time BM_InflateStoredSkinOnly)
    window=$(benchmark_spread "$dir/paint.json" cpu_time BM_MainWindowFullRepaint)
    picture=$(benchmark_spread "$dir/paint.json" cpu_time BM_DrawOnePicture632x470)
    move=$(benchmark_spread "$dir/move.json" real_time BM_MoveDropToTurnHandedOver/manual_time)
    trip=$(benchmark_spread "$dir/move.json" real_time BM_LoopbackRoundTrip/manual_time)
    limit=$(awk -v r="${trip%% *}" 'BEGIN { printf "%.4f", 1.5 * r + 50 }')
    echo "skin.load $load"
    echo "skin.inflate $inflate"
    echo "paint.window $window"
    echo "paint.picture $picture"
    echo "paint.after_change $(benchmark_spread "$dir/paint.json" cpu_time BM_FrameRepaintAfterChange)"
    echo "move.move $move"
    echo "move.round_trip $trip"
    echo "move.limit $limit - -"
    echo "ratio.skin $(ratio "${load%% *}" "${inflate%% *}") - -"
    echo "ratio.paint $(ratio "${window%% *}" "${picture%% *}") - -"
    echo "ratio.move $(ratio "${move%% *}" "$limit") - -"
    echo "idle.percent $(awk '{ printf "%.4f", $1 / $3 / $2 * 100 }' "$dir/idle.txt") - -"
  } > "$dir/figures.tsv"
}

# Field $3 (1 median, 2 low, 3 high) of figure $2 in run directory $1.
figure() { awk -v key="$2" -v field="$3" '$1 == key { print $(field + 1) }' "$1/figures.tsv"; }

# "median unit [low–high]" of figure $2 in run $1, divided by $3, with $4
# decimals.
shown() {
  awk -v m="$(figure "$1" "$2" 1)" -v lo="$(figure "$1" "$2" 2)" -v hi="$(figure "$1" "$2" 3)" \
    -v scale="$3" -v decimals="$4" -v unit="$5" 'BEGIN {
      f = "%." decimals "f"
      printf f "%s", m / scale, unit
      if (lo != "-" && lo != "") printf " [" f "–" f "]", lo / scale, hi / scale }'
}

# Whether value $1 compares as $2 (le, lt) with limit $3.
holds() { awk -v v="$1" -v op="$2" -v limit="$3" 'BEGIN { exit !(op == "le" ? v <= limit : v < limit) }'; }

# The table of every run's target figures and the verdicts over all runs.
write_summary() {
  local round entry key op limit label value held row header="| Figure | Limit" rule="|---|---"
  for ((round = 1; round <= rounds; round++)); do header+=" | Run $round"; rule+="|---"; done
  echo "$header | Target |"
  echo "$rule|---|"
  for entry in "${targets[@]}"; do
    IFS='|' read -r key op limit label <<< "$entry"
    row="| $label | $([ "$op" = le ] && echo "≤" || echo "<") $limit$([ "$key" = idle.percent ] && echo " %" || echo "×")"
    held=0
    for ((round = 1; round <= rounds; round++)); do
      value=$(figure "$build/bench-runs/$round" "$key" 1)
      if holds "$value" "$op" "$limit"; then
        held=$((held + 1)); row+=" | $(cell "$key" "$value")"
      else
        row+=" | $(cell "$key" "$value") ✗"
      fi
    done
    if [ "$held" -eq "$rounds" ] && [[ $key =~ ^ratio\.(wall|cpu|rss|pss)\. ]] && [ "$pairs" -lt "$pairs_needed" ]; then
      row+=" | not judged: holds in $rounds of $rounds, but $pairs_needed runs of each program needed |"
    elif [ "$held" -eq "$rounds" ] && [ "$rounds" -ge "$runs_needed" ]; then
      row+=" | met (all $rounds runs) |"
    elif [ "$held" -eq "$rounds" ]; then
      row+=" | not judged: holds in $rounds of $rounds, $runs_needed runs needed |"
    else
      row+=" | NOT met (holds in $held of $rounds) |"
    fi
    echo "$row"
  done
}

# The figures behind the ratios of run $1: values with their spread.
write_run_details() {
  local dir=$build/bench-runs/$1 name label parts
  echo "Run $1 (load average at its start $(awk '$1 == "start" { print $2, $3, $4 }' "$dir/load.txt"), at its end $(awk '$1 == "end" { print $2, $3, $4 }' "$dir/load.txt")):"
  echo
  echo "| Figure | Corvane | Yardstick | Ratio |"
  echo "|---|---|---|---|"
  echo "| Start-up to settled first paint, instructions from exec (callgrind; the count after it until ${instruction_settle_seconds} s of quiet: $(shown "$dir" instructions.after.corvane 1e6 2 " M"), the floor's $(shown "$dir" instructions.after.floor 1e6 2 " M")) | $(shown "$dir" instructions.corvane 1e6 2 " M") | floor $(shown "$dir" instructions.floor 1e6 2 " M") | $(shown "$dir" ratio.instructions.floor 1 3 ×) |"
  echo "| Start-up to first complete paint, wall (Xvfb, whole process) | $(shown "$dir" wall.corvane 1 1 " ms") | floor $(shown "$dir" wall.floor 1 1 " ms") | $(shown "$dir" ratio.wall.floor 1 2 ×) |"
  echo "| the same in processor time (user + system) | $(shown "$dir" cpu.corvane 1 1 " ms") | floor $(shown "$dir" cpu.floor 1 1 " ms") | $(shown "$dir" ratio.cpu.floor 1 2 ×) |"
  echo "| Resident memory ${settle_seconds} s after the first paint | $(shown "$dir" rss.corvane 1024 1 " MB") | floor $(shown "$dir" rss.floor 1024 1 " MB") | $(shown "$dir" ratio.rss.floor 1 2 ×) |"
  echo "| Proportional memory (PSS) at the same moment | $(shown "$dir" pss.corvane 1024 1 " MB") | floor $(shown "$dir" pss.floor 1024 1 " MB") | $(shown "$dir" ratio.pss.floor 1 2 ×) |"
  for name in minimal minimal-text; do
    [ "$name" = minimal ] && label="the plain minimal window" || label="the minimal window with one Chinese label"
    echo "| for comparison: $label (wall / processor / resident / proportional) | | $(shown "$dir" "wall.$name" 1 1 " ms") / $(shown "$dir" "cpu.$name" 1 1 " ms") / $(shown "$dir" "rss.$name" 1024 1 " MB") / $(shown "$dir" "pss.$name" 1024 1 " MB") | $(shown "$dir" "ratio.wall.$name" 1 2 ×) / $(shown "$dir" "ratio.cpu.$name" 1 2 ×) / $(shown "$dir" "ratio.rss.$name" 1 2 ×) / $(shown "$dir" "ratio.pss.$name" 1 2 ×) |"
  done
  echo "| Skin: load the stored skin from its bytes (processor time) | $(shown "$dir" skin.load 1 1 " µs") | inflate alone $(shown "$dir" skin.inflate 1 1 " µs") | $(shown "$dir" ratio.skin 1 2 ×) |"
  # "board 24.2, button 1.2, ..." from the median line of the by-part run.
  parts=$(awk '/_median/ { for (i = 1; i <= NF; i++) if ($i ~ /=/) { split($i, kv, "="); printf "%s%s %.1f", sep, kv[1], kv[2]; sep = ", " } }' \
    "$dir/paint-parts.txt" | tr '_' ' ')
  echo "| Paint: full repaint of the main window, 680 × 490 (processor time; its parts in µs: $parts) | $(shown "$dir" paint.window 1 1 " µs") | one 632 × 470 picture $(shown "$dir" paint.picture 1 1 " µs") | $(shown "$dir" ratio.paint 1 2 ×) |"
  echo "| for comparison: repaint after a change the frame shows, its picture drawn again | $(shown "$dir" paint.after_change 1 1 " µs") | | |"
  echo "| Move: drop to turn handed over by the returning datagram | $(shown "$dir" move.move 1 1 " µs") | 1.5 × loopback round trip $(shown "$dir" move.round_trip 1 1 " µs") + 50 µs = $(shown "$dir" move.limit 1 1 " µs") | $(shown "$dir" ratio.move 1 2 "× of the limit") |"
  echo "| Idle processor use over ${idle_seconds} s, pointer outside (Xvfb, real program) | $(shown "$dir" idle.percent 1 3 " %") | | |"
}

# The whole Markdown report of all runs.
write_report() {
  local round
  echo "Measured $measured_at on $(nproc) cores ($(uname -m)): $rounds run(s) of tools/bench.sh one after the other."
  echo "A target is met only when it holds in each of at least $runs_needed consecutive runs"
  echo "(the whole-process ones with at least $pairs_needed runs of each program in every run)."
  echo "Ratios against the yardstick measured in the same run; ✗ marks a run where the figure misses its limit."
  echo
  write_summary
  echo
  echo "Whole-process figures: each program run $pairs times, the programs in rotating order"
  echo "(corvane, floor, minimal, minimal-text, each cycle starting one further along), shown as"
  echo "median [interquartile range]; a ratio is the median [interquartile range] of the ratios"
  echo "within each cycle. The floor is the window with a Chinese label and a bound UDP socket."
  echo "Benchmarks: $repetitions repetitions in random interleaved order, shown as median [fastest–slowest]."
  echo "Instructions: callgrind from exec to the last drawing before $instruction_settle_seconds s of quiet, $instruction_runs run(s)"
  echo "of Corvane and the floor in alternating order, shown as median [lowest–highest]."
  echo
  for ((round = 1; round <= rounds; round++)); do
    write_run_details "$round"
    echo
  done
  if [ -s "$build/flood.txt" ]; then
    echo "Flood (200,000 datagrams from another process):"
    echo
    sed 's/^flood: /- /' "$build/flood.txt"
  fi
}
