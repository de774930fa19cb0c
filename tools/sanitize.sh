#!/usr/bin/env bash
# Builds the whole program and its test suite with AddressSanitizer and
# UndefinedBehaviorSanitizer (build-asan/) and runs every test through ctest.
#   tools/sanitize.sh            build and run all tests, then a seeded monkey run
#   tools/sanitize.sh -R shell   only the tests whose names match (ctest -R), no monkey
# The monkey (tools/monkey) drives the program under Xvfb and openbox for
# MONKEY_MINUTES (4) minutes with seed MONKEY_SEED (1); its log is
# build-asan/monkey.log. Exits non-zero when a test fails, a sanitizer
# reports anything or a check of the monkey fails.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_SANITIZE=ON -DCORVANE_TESTS=ON >/dev/null
cmake --build build-asan -j"$(nproc)"

# Leaks are errors too; a sanitizer report ends the test with a failure.
# Full stacks for allocations: Qt is built without frame pointers.
# strict_string_checks is for the tests (offscreen): on a real X display
# libxkbcommon-x11 trips it at start, and tools/monkey drops it there.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1:fast_unwind_on_malloc=0}
# Leaks of the libraries themselves, each with its reason, are not ours to mend.
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tools/lsan-suppressions.txt:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
(cd build-asan && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --no-tests=error -j"$(nproc)" --timeout 900 "$@")

if [ $# -eq 0 ]; then
  tools/monkey/monkey --program build-asan/shell/corvane --seed "${MONKEY_SEED:-1}" \
    --minutes "${MONKEY_MINUTES:-4}" --log build-asan/monkey.log --screenshot build-asan/monkey-failure.png
fi
