#!/usr/bin/env bash
# Draws the main window with samples/sample.jww loaded on a virtual X display and writes one
# PNG per tab, one of the window with the preview shown and the busiest layer highlighted, and
# one of the preview; then zelvane-cli render draws three drawings (the sample, a small and a
# 20 MB generated one) to PNG. To look at by eye: Japanese text readable, nothing clipped,
# arcs, texts and insertions where they belong. Not run by CI.
#
#   scripts/screenshot.sh [OUT_PREFIX]     (default: <build>/screenshot/window)
#
# Builds what it needs in build/, or in the folder named by ZELVANE_BUILD_DIR. Needs xvfb
# (xvfb-run) besides the packages.
set -euo pipefail
cd "$(dirname "$0")/.."

build="${ZELVANE_BUILD_DIR:-build}"
out_prefix="${1:-$build/screenshot/window}"
if [[ ! -f "$build/build.ninja" ]]; then
  cmake -S . -B "$build" -G Ninja
fi
cmake --build "$build" --target zelvane-window-screenshot zelvane-cli zelvane-gen
mkdir -p "$(dirname "$out_prefix")"

# The X platform, not the offscreen one, so the fonts and style are those of a real desktop.
QT_QPA_PLATFORM=xcb xvfb-run --auto-servernum --server-args="-screen 0 1280x800x24 -dpi 96" \
  "$build/tests/ui_qt/zelvane-window-screenshot" "$PWD/samples/sample.jww" "$out_prefix"

"$build/testing/zelvane-gen" "$out_prefix-small.jww" --version 700 --size 0 --seed 2
"$build/testing/zelvane-gen" "$out_prefix-large.jww" --version 700 --size 20MB --seed 3
"$build/cli/zelvane-cli" render samples/sample.jww -o "$out_prefix-render-sample.png"
"$build/cli/zelvane-cli" render "$out_prefix-small.jww" -o "$out_prefix-render-small.png"
"$build/cli/zelvane-cli" render "$out_prefix-large.jww" -o "$out_prefix-render-large.png" \
  --layer 0-0
rm -f "$out_prefix-small.jww" "$out_prefix-large.jww"
ls -1 "$out_prefix"-*.png
