#!/usr/bin/env bash
# Sets up, builds the editor (its own target and libraries only, not the tests
# and benchmarks) and starts it; arguments are passed on: tools/run.sh Ship.gf
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
echo "Configuring the build..."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target pelto5
exec build/app/pelto5 "$@"
