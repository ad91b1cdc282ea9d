#!/usr/bin/env bash
# The whole test run: sets up the machine, builds the native debug and
# sanitizer builds and the 32-bit Windows build, runs every test (the Windows
# ones under Wine) and runs each fuzz target briefly.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

# Compiler cache entries keyed by paths relative to the checkout, so that
# a fresh checkout elsewhere reuses what an earlier build compiled.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"

jobs=$(nproc)
for preset in debug asan; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset" -j "$jobs"
done

echo "== win32 (under Wine)"
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$jobs"
scripts/with-xvfb.sh ctest --preset win32 -j "$jobs"

echo "== fuzz"
scripts/fuzz.sh "${GLEANIX_FUZZ_SECONDS:-20}"
