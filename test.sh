#!/usr/bin/env bash
# Installs what is missing, builds Corvane and runs every test through ctest.
# Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh

jobs=$(nproc)
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_TESTS=ON
cmake --build build-test -j"$jobs"
(cd build-test && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --no-tests=error -j"$jobs")

# Short libFuzzer runs under AddressSanitizer and UndefinedBehaviorSanitizer.
tools/fuzz.sh --short
