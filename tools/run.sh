#!/usr/bin/env bash
# Sets up, builds and starts the editor.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
if [ ! -x build/app/pelto5 ]; then
  echo "The editor window is not built yet: so far Pelto5 has its ship file model and its tests."
  exit 0
fi
exec build/app/pelto5
