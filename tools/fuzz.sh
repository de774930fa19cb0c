#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) into build-fuzz/ and runs them.
#   tools/fuzz.sh --short        a short run of each target (part of ./test.sh)
#   tools/fuzz.sh SECONDS        a run of SECONDS per target, corpora kept under tests/fuzz/corpus
# New inputs found in a run are thrown away, unless CORVANE_FUZZ_KEEP names a
# folder: they are then kept in CORVANE_FUZZ_KEEP/<name> for minimising
# (see tools/fuzz-merge.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=20
if [ "${1:-}" = "--short" ]; then seconds=20; elif [ -n "${1:-}" ]; then seconds=$1; fi

if [ ! -f tests/fuzz/CMakeLists.txt ]; then
  echo "fuzz: no fuzz targets yet"
  exit 0
fi

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCORVANE_FUZZ=ON -DCORVANE_TESTS=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)"

# The skin target paints: it runs with the tests' fonts, as every test does.
export FONTCONFIG_FILE=$PWD/build-fuzz/test-fonts/fonts.conf QT_QPA_PLATFORM=offscreen
# An input that turns a few bytes into much memory fails the run, as a crash does.
limits=(-rss_limit_mb=512 -malloc_limit_mb=256)

status=0
for target in build-fuzz/tests/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus=tests/fuzz/corpus/${name#fuzz_}
  mkdir -p "$corpus"
  work=$(mktemp -d)
  echo "fuzz: $name for ${seconds}s"
  if ! "$target" -max_total_time="$seconds" "${limits[@]}" -print_final_stats=1 "$work" "$corpus" \
       > "build-fuzz/$name.log" 2>&1; then
    echo "fuzz: $name FAILED"; tail -40 "build-fuzz/$name.log"; status=1
  else
    grep -E 'stat::number_of_executed_units' "build-fuzz/$name.log" || true
  fi
  if [ -n "${CORVANE_FUZZ_KEEP:-}" ]; then
    mkdir -p "$CORVANE_FUZZ_KEEP/${name#fuzz_}"
    cp -n "$work"/* "$CORVANE_FUZZ_KEEP/${name#fuzz_}/" 2>/dev/null || true
  fi
  rm -rf "$work"
done
exit $status
