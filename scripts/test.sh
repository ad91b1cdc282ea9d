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
# Wine runs 32-bit Windows programs as 32-bit Linux processes. A kernel
# that cannot execute those (no IA-32 emulation, as on some virtual
# machines) cannot run the Windows tests at all: say so loudly and go on,
# rather than fail every test for the machine's sake. Any other failure to
# start Wine still fails the run.
if /lib/ld-linux.so.2 --version >/dev/null 2>&1 || [ $? -ne 126 ]; then
  scripts/with-xvfb.sh ctest --preset win32 -j "$jobs"
else
  echo "!! win32 tests NOT RUN: this kernel cannot execute 32-bit programs, which Wine needs (the Windows build was built)"
fi

echo "== fuzz"
scripts/fuzz.sh "${GLEANIX_FUZZ_SECONDS:-20}"
