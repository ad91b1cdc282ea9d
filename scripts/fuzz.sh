#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan + UBSan) and runs each for the
# given number of seconds (default 20) on its seed corpus. Fails on a finding.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"
shopt -s nullglob
targets=(build/fuzz/fuzz_*)
if ((${#targets[@]} == 0)); then
  echo "fuzz: no targets"
  exit 0
fi
for target in "${targets[@]}"; do
  [[ -x $target && -f $target ]] || continue
  name=$(basename "$target")
  seeds=fuzz/corpus/${name#fuzz_}
  work=build/fuzz/corpus-${name#fuzz_}
  mkdir -p "$work"
  echo "fuzz: $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=0 \
    -artifact_prefix=build/fuzz/ "$work" $( [[ -d $seeds ]] && echo "$seeds" ) 2>build/fuzz/$name.log \
    || { tail -50 build/fuzz/$name.log; echo "fuzz: $name found a fault"; exit 1; }
  grep -E '^(#[0-9]+ +DONE|Done)' build/fuzz/$name.log | tail -1 || true
done
echo "fuzz: all targets ran without a finding"
