#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite twice: a plain build, and one
# under AddressSanitizer and UndefinedBehaviorSanitizer (which leaves the
# fuzzer, sanitized on its own, and the packaging checks to the plain build).
# Both builds use ccache, and keep line tables only as debug information:
# enough for a sanitizer's report, at a fraction of the build.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
jobs="$(nproc)"

# Configures a build folder; a new one is made with Ninja, an existing one
# keeps the generator it was made with (tools/run.sh makes one too).
configure() {
  local dir=$1
  shift
  local generator=()
  [ -f "$dir/CMakeCache.txt" ] || generator=(-G Ninja)
  cmake -S . -B "$dir" "${generator[@]}" -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
    -DCMAKE_C_COMPILER_LAUNCHER=ccache "$@" >/dev/null
}

configure build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG"
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs" --timeout 600

configure build-asan -DCMAKE_BUILD_TYPE=Debug -DPELTO5_SANITIZE=ON -DCMAKE_CXX_FLAGS_DEBUG="-g1"
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0" \
  ctest --test-dir build-asan --output-on-failure -j"$jobs" --timeout 900
