#!/bin/sh
# Runs a Windows executable under Wine with the Japanese ANSI code page (CP932).
# Uses the caller's X display when there is one, else a private Xvfb.
export LC_ALL=ja_JP.UTF-8
export WINEDEBUG=-all
export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-gleanix}"
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ -n "$DISPLAY" ]; then
  exec wine "$@"
fi
exec xvfb-run -a wine "$@"
