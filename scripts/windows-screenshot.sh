#!/usr/bin/env bash
# Shows zelvane.exe under Wine on a virtual X display with samples/sample.jww and writes one PNG
# per tab, to look at by eye: Japanese text readable in both locales, nothing clipped. Not run
# by CI.
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
