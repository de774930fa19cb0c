#!/usr/bin/env bash
# Installs what is missing, builds Corvane (Release) into build/ and starts it.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DCORVANE_TESTS=OFF >/dev/null
cmake --build build --target corvane -j"$(nproc)"
exec build/shell/corvane "$@"
