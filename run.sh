#!/usr/bin/env bash
# Sets up the machine, builds Quorendaville and starts it. Arguments are
# passed to the program.
set -euo pipefail
cd "$(dirname "$0")"
./setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build
exec build/bin/quorendaville "$@"
