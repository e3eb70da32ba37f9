#!/usr/bin/env bash
# Sets up the machine, builds Quorendaville and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
./setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build
# The fuzz targets are built again with the sanitizers while the tests run
# (the tests leave a third of the processors idle, waiting on files, locks
# and windows), at a lower priority so that the tests' timing is theirs.
nice -n 10 tests/fuzz/run_sanitized.sh --build-only &
sanitized_build=$!
trap 'kill "$sanitized_build" 2>/dev/null || true' EXIT
# The fuzz targets run under the sanitizers below, not twice.
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)" -LE fuzz)
wait "$sanitized_build"
tests/fuzz/run_sanitized.sh
