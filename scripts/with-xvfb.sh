#!/usr/bin/env bash
# Runs a command with one private X display and one running Wine server, so
# that the Windows test executables start quickly and can create windows.
set -euo pipefail
export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-gleanix}"
export LC_ALL=ja_JP.UTF-8 WINEDEBUG=-all
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
trap 'wineserver -k >/dev/null 2>&1 || true; kill $xvfb_pid 2>/dev/null || true' EXIT
export DISPLAY=$display
wineboot -i >/dev/null 2>&1 || true
wineserver -p >/dev/null 2>&1 || true
"$@"
