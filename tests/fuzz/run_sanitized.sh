#!/usr/bin/env bash
# Builds the fuzz targets a second time with the address and undefined-
# behaviour sanitizers, in their own build folder, and runs each for a few
# seconds. Any sanitizer report (an out-of-bounds read, a signed overflow, a
# leak) stops the target and fails this script; so does a crash or an
# exception a reader lets through.
#
#   tests/fuzz/run_sanitized.sh [BUILD_FOLDER]      (default: build-sanitized)
#
# Only the fuzz targets and the core libraries they link are built, at -O0
# without debug information: a third faster to build than at -O1, and the
# runs are limited in time, not in inputs. The code is also built with
# -fsanitize-coverage=trace-pc, so the driver keeps the inputs that reached
# new code.
set -euo pipefail
cd "$(dirname "$0")/../.."
build="${1:-build-sanitized}"
# std::vector is annotated for the address sanitizer, so a read between a
# vector's size and its capacity (a buffer reused for a shorter file) is
# reported too. The coverage flag goes with the Release flags only: the
# compiler checks of the configure step link programs without the driver,
# which defines its hook.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=g++ \
  -DCMAKE_CXX_FLAGS="-fno-sanitize-recover=all -D_GLIBCXX_SANITIZE_VECTOR" \
  -DCMAKE_CXX_FLAGS_RELEASE="-O0 -fsanitize-coverage=trace-pc" \
  -DQV_SANITIZE=ON -DQV_BUILD_FUZZ=ON -DQV_BUILD_BENCH=OFF >/dev/null
if ! cmake --build "$build" --target qv_fuzz_targets -j "$(nproc)" >"$build/fuzz-build.log" 2>&1; then
  grep -v '^\[' "$build/fuzz-build.log" | tail -40
  exit 1
fi
cd "$build"
export ASAN_OPTIONS="abort_on_error=0:detect_leaks=1:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:${UBSAN_OPTIONS:-}"
ctest -L fuzz --output-on-failure -j "$(nproc)"
