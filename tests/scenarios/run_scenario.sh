#!/usr/bin/env bash
# Runs one host session script against a fresh copy of the sample store and
# compares its transcript with the expected one.
#   run_scenario.sh native <quillon-sim> <store> <script> <expected>
#   run_scenario.sh wine <wine runner> <Quillon.exe> <store> <script> <expected>
# Screenshots ("shot FILE") land in the current directory.
set -euo pipefail
mode=$1
shift
if [ "$mode" = wine ]; then
  runner=$1
  shift
fi
program=$1 store=$2 script=$3 expected=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$store" "$work/store"
export GLEANIX_REGISTRY="$work/registry.txt"

winpath() { local p; p=$(cd "$(dirname "$1")" && pwd)/$(basename "$1"); echo "Z:${p//\//\\}"; }

status=0
if [ "$mode" = native ]; then
  "$program" --store "$work/store" script "$script" >"$work/out" || status=$?
else
  "$runner" "$program" --store "$(winpath "$work/store")" script "$(winpath "$script")" >"$work/raw" || status=$?
  tr -d '\r' <"$work/raw" >"$work/out"
fi

want=0
if tail -n 1 "$expected" | grep -q '^error: LINE '; then want=2; fi
if ! diff -u "$expected" "$work/out"; then
  echo "FAIL: the transcript differs" >&2
  exit 1
fi
if [ "$status" != "$want" ]; then
  echo "FAIL: exit status $status, expected $want" >&2
  exit 1
fi
