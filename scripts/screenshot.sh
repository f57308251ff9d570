#!/usr/bin/env bash
# Draws the main window with samples/sample.jww loaded on a virtual X display and writes one
# PNG per tab, to look at by eye: Japanese text readable, nothing clipped. Not run by CI.
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
cmake --build "$build" --target zelvane-window-screenshot
mkdir -p "$(dirname "$out_prefix")"

# The X platform, not the offscreen one, so the fonts and style are those of a real desktop.
QT_QPA_PLATFORM=xcb xvfb-run --auto-servernum --server-args="-screen 0 1280x800x24 -dpi 96" \
  "$build/tests/ui_qt/zelvane-window-screenshot" "$PWD/samples/sample.jww" "$out_prefix"
ls -1 "$out_prefix"-*.png
