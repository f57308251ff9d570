#!/usr/bin/env bash
# Starts zelvane.exe under Wine with a drawing on its command line and waits for its window,
# titled "Zelvane Ver.1.02", to appear on the X display; then closes it.
#
#   scripts/windows-window-appears.sh ZELVANE_EXE DRAWING     (on a display, e.g. xvfb-run)
set -euo pipefail
exe="$1"
drawing="$(realpath "$2")"
wine "$exe" "Z:${drawing//\//\\}" &
program=$!
if window="$(timeout 60 xdotool search --sync --name '^Zelvane Ver\.1\.02$' | head -n 1)" && [[ -n "$window" ]]; then
  echo "window appeared: Zelvane Ver.1.02"
  xdotool windowclose "$window" || true
  status=0
else
  echo "no window titled Zelvane Ver.1.02 appeared" >&2
  status=1
fi
kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true
exit "$status"
