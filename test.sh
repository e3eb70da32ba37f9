#!/usr/bin/env bash
# Sets up the machine, builds Quorendaville and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
./setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build
# Two tests per processor: many wait on a lock, a file or a window.
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(( $(nproc) * 2 ))")
tests/fuzz/run_sanitized.sh
