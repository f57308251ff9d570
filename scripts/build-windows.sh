#!/usr/bin/env bash
# Builds zelvane.exe and zelvane-cli.exe for 64-bit Windows with mingw-w64, runs the Windows
# test suites under Wine and Xvfb (in the C locale and in Japanese, the window's sizes also at
# 150 % display scaling), checks that
# zelvane-cli.exe copies drawings to the same bytes as the Linux build and that zelvane.exe
# shows its window, and writes OUT/zelvane-windows-x86_64.zip.
#
#   scripts/build-windows.sh OUT
#
# Run as root on Debian 12: it installs packages-windows.txt. Builds in build-windows/ (or the
# folder named by ZELVANE_WINDOWS_BUILD); the Linux zelvane-cli it compares with comes from
# build/ (or ZELVANE_BUILD_DIR), built there when missing.
set -euo pipefail
out="$(realpath -m "${1:?usage: scripts/build-windows.sh OUT}")"
cd "$(dirname "$0")/.."
root="$PWD"
build="$(realpath -m "${ZELVANE_WINDOWS_BUILD:-build-windows}")"
linux_build="$(realpath -m "${ZELVANE_BUILD_DIR:-build}")"

export DEBIAN_FRONTEND=noninteractive
apt-get update
xargs -a packages.txt apt-get install -y
xargs -a packages-windows.txt apt-get install -y --no-install-recommends

# One X server for the whole run: Wine's desktop process starts with the first program and
# keeps the display it found then, so every window of the run needs it from the start.
mkdir -p "$build"
# The number of a run before would be read before the new server has written its own.
rm -f "$build/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$build/display" &
xvfb=$!
while [[ ! -s "$build/display" ]]; do sleep 0.1; done
export DISPLAY=":$(cat "$build/display")"
trap 'kill $xvfb' EXIT

# A Wine prefix of the build's own, made anew each run; Wine's own messages stay quiet.
export WINEPREFIX="$build/wine-prefix" WINEDEBUG=-all
rm -rf "$WINEPREFIX"
wine wineboot --init
# One Wine server for the whole run: one that ends between two test runs, as an idle one does
# after a few seconds, resets the connection of a program starting just then. It replaces the
# one that set up the prefix once that has ended.
wineserver -w
wineserver -p
# Wine's own background programs start with the first program; started here, they hold no
# output pipe of the test discovery, which would otherwise wait for them to close it.
wine cmd /c exit
trap 'wineserver -k; kill $xvfb' EXIT

toolchain="$root/cmake/mingw-w64-x86_64.cmake"
if [[ ! -f "$build/gtest/lib/cmake/GTest/GTestConfig.cmake" ]]; then
  cmake -S /usr/src/googletest -B "$build/gtest-build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$build/gtest"
  cmake --build "$build/gtest-build"
  cmake --install "$build/gtest-build"
fi

cmake -S . -B "$build/zelvane" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DZELVANE_GUI=OFF -DGTest_DIR="$build/gtest/lib/cmake/GTest"
cmake --build "$build/zelvane"

if [[ ! -f "$linux_build/build.ninja" ]]; then
  cmake -S . -B "$linux_build" -G Ninja
fi
cmake --build "$linux_build" --target zelvane-cli zelvane-gen

# Every check once in Wine's default locale and once as on a Japanese Windows, where the ANSI
# functions use code page 932 and the dialogs are Japanese.
export LOCPATH="$build/locale"
if [[ ! -d "$LOCPATH/ja_JP.UTF-8" ]]; then
  mkdir -p "$LOCPATH"
  localedef -i ja_JP -f UTF-8 "$LOCPATH/ja_JP.UTF-8"
fi
# The window's sizes are checked once more at 144 DPI, Wine's resolution setting, which programs
# read as they start; ZELVANE_TEST_DPI tells the tests which resolution the run asked for.
set_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null
}
for locale in C.UTF-8 ja_JP.UTF-8; do
  echo "== Windows checks in the locale $locale"
  ZELVANE_TEST_DPI=96 LANG=$locale LC_ALL=$locale ctest --test-dir "$build/zelvane" --output-on-failure -j2
  echo "== The window's sizes at 144 DPI in the locale $locale"
  set_dpi 144
  ZELVANE_TEST_DPI=144 LANG=$locale LC_ALL=$locale ctest --test-dir "$build/zelvane" --output-on-failure -j2 \
    -R '^Form1WindowDpi\.'
  set_dpi 96
  LANG=$locale LC_ALL=$locale bash scripts/compare-windows-copies.sh \
    "$linux_build" "$build/zelvane/cli" "$build/compare"
done

# zelvane.exe itself, started as a user starts it with a drawing: its window must appear.
LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 bash scripts/windows-window-appears.sh \
  "$build/zelvane/ui/win/zelvane.exe" "$root/samples/sample.jww"

package="$build/package"
rm -rf "$package"
mkdir -p "$package" "$out"
for program in ui/win/zelvane.exe cli/zelvane-cli.exe; do
  x86_64-w64-mingw32-strip -o "$package/$(basename "$program")" "$build/zelvane/$program"
done
# The texts with CR LF, which every Notepad shows as lines; the Japanese one starts with a UTF-8
# byte-order mark, without which an older Notepad on a Japanese Windows reads it as Shift-JIS.
sed 's/$/\r/' "$root/scripts/windows-readme.txt" >"$package/windows-readme.txt"
{ printf '\xEF\xBB\xBF'; sed 's/$/\r/' "$root/scripts/windows-readme.ja.txt"; } >"$package/説明書.txt"
rm -f "$out/zelvane-windows-x86_64.zip"
# Python's zip marks a name that is not ASCII as UTF-8, as Explorer and the archivers of a
# Japanese Windows need to read 説明書.txt; Info-ZIP's leaves it unmarked, to be read as Shift-JIS.
(cd "$package" && python3 -m zipfile -c "$out/zelvane-windows-x86_64.zip" ./*)
echo "wrote $out/zelvane-windows-x86_64.zip"
