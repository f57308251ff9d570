#!/usr/bin/env bash
# Shows zelvane.exe under Wine on a virtual X display with samples/sample.jww and writes one PNG
# per tab and one of the preview window, to look at by eye: Japanese text readable in both
# locales, nothing clipped, the drawing's pens, dashes and paper in the preview. Not run by CI.
#
#   scripts/windows-screenshot.sh [OUT_FOLDER]     (default: build-windows/screenshot)
#
# Needs a Windows build (scripts/build-windows.sh) in build-windows/, or in the folder named by
# ZELVANE_WINDOWS_BUILD, and imagemagick for `import`.
set -euo pipefail
cd "$(dirname "$0")/.."
build="$(realpath -m "${ZELVANE_WINDOWS_BUILD:-build-windows}")"
out="$(realpath -m "${1:-$build/screenshot}")"
exe="$build/zelvane/ui/win/zelvane.exe"
[[ -f "$exe" ]] || { echo "no $exe: run scripts/build-windows.sh first" >&2; exit 1; }
mkdir -p "$out"
export WINEPREFIX="$build/wine-prefix" WINEDEBUG=-all LOCPATH="$build/locale"

shoot() {
  local locale="$1"
  local drawing
  drawing="$(realpath samples/sample.jww)"
  LANG=$locale LC_ALL=$locale wine "$exe" "Z:${drawing//\//\\}" &
  local program=$!
  local window
  window="$(timeout 60 xdotool search --sync --name '^Zelvane Ver\.1\.02$' | head -n 1)"
  sleep 2
  # The tabs' captions, left to right, on the row below the top bar.
  local tab=1
  for x in 60 175 285 420; do
    xdotool mousemove --window "$window" "$x" 46 click 1
    sleep 1
    import -window root -crop 724x480+194+109 "$out/window-$locale-tab$tab.png"
    tab=$((tab + 1))
  done
  # The preview's button at the right of the status bar, and the window it opens.
  xdotool mousemove --window "$window" 690 432 click 1
  local preview
  preview="$(timeout 30 xdotool search --sync --name '^プレビュー$' | head -n 1)"
  sleep 2
  eval "$(xdotool getwindowgeometry --shell "$preview")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" "$out/window-$locale-preview.png"
  kill "$program" 2>/dev/null || true
  wait "$program" 2>/dev/null || true
}
# Run again on the virtual display, once per locale.
if [[ "${ZELVANE_SHOOT_LOCALE:-}" ]]; then
  shoot "$ZELVANE_SHOOT_LOCALE"
  exit 0
fi
for locale in C.UTF-8 ja_JP.UTF-8; do
  ZELVANE_SHOOT_LOCALE=$locale xvfb-run -a -s "-screen 0 1280x800x24 -dpi 96" bash "$0" "$out"
done
ls -1 "$out"/*.png
