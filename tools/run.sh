#!/usr/bin/env bash
# Sets up, builds the editor (its own target and libraries only, not the tests
# and benchmarks) and starts it. Arguments go to the editor, so a ship can be
# named: tools/run.sh examples/Corvette.gf
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/setup.sh"
echo "Configuring the build..."
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" -j"$(nproc)" --target pelto5
exec "$root/build/app/pelto5" "$@"
