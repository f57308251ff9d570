#!/usr/bin/env bash
# Shows zelvane.exe under Wine on a virtual X display with samples/sample.jww and writes one PNG
# per tab and one of the preview, at 96 and at 144 dots per inch (100 % and 150 %) and in both
# locales, to look at by eye: Japanese text sharp and readable, nothing clipped or hidden under
# the status bar, the current cell a cell, the drawing's
# pens, dashes and paper in the preview. Not run by CI.
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

# The window's client area as the X server has it.
capture() {
  local window="$1" file="$2"
  eval "$(xdotool getwindowgeometry --shell "$window")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" "$file"
}

shoot() {
  local locale="$1" dpi="$2"
  local name="$out/window-$dpi-$locale"
  local drawing
  drawing="$(realpath samples/sample.jww)"
  LANG=$locale LC_ALL=$locale wine "$exe" "Z:${drawing//\//\\}" &
  local program=$!
  local window
  window="$(timeout 60 xdotool search --sync --name '^Zelvane Ver\.1\.02$' | head -n 1)"
  sleep 2
  # The tabs' captions, left to right, on the row below the top bar, at 96 DPI.
  local tab=1
  for x in 60 175 285 420; do
    xdotool mousemove --window "$window" $((x * dpi / 96)) $((46 * dpi / 96)) click 1
    sleep 1
    capture "$window" "$name-tab$tab.png"
    tab=$((tab + 1))
  done
  # The status bar's button, at the bar's right end, opens the preview.
  eval "$(xdotool getwindowgeometry --shell "$window")"
  xdotool mousemove --window "$window" $((WIDTH - 30 * dpi / 96)) $((HEIGHT - 9 * dpi / 96)) click 1
  local preview
  if preview="$(timeout 20 xdotool search --sync --name '^プレビュー$' | head -n 1)"; then
    sleep 2
    capture "$preview" "$name-preview.png"
  fi
  kill "$program" 2>/dev/null || true
  wait "$program" 2>/dev/null || true
}

# Run again on the virtual display, once per resolution and locale.
if [[ "${ZELVANE_SHOOT_LOCALE:-}" ]]; then
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$ZELVANE_SHOOT_DPI" /f >/dev/null
  shoot "$ZELVANE_SHOOT_LOCALE" "$ZELVANE_SHOOT_DPI"
  wineserver -k || true
  exit 0
fi
trap 'wine reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1 || true' EXIT
# A laptop's screen at 100 % and a larger one at 150 %.
for setting in "96 1280x800" "144 1920x1080"; do
  read -r dpi screen <<<"$setting"
  for locale in C.UTF-8 ja_JP.UTF-8; do
    ZELVANE_SHOOT_LOCALE=$locale ZELVANE_SHOOT_DPI=$dpi \
      xvfb-run -a -s "-screen 0 ${screen}x24 -dpi $dpi" bash "$0" "$out"
  done
done
ls -1 "$out"/*.png
