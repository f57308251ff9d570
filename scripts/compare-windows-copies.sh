#!/usr/bin/env bash
# zelvane-cli.exe under Wine must copy a drawing to exactly the bytes the Linux zelvane-cli
# writes: generated drawings of every format version that gains data, with byte and wide
# strings, small and across many write buffers, and one in a folder with a Japanese name; apply
# over that folder too, and an SVG picture of the same objects. What info and export write to standard output must
# be the same bytes too (no LF made CR LF), and what a person is told the same words, in the
# language of the locale.
#
#   scripts/compare-windows-copies.sh LINUX_BUILD WINDOWS_CLI WORK
#
# LINUX_BUILD is the Linux build folder (cli/zelvane-cli, testing/zelvane-gen), WINDOWS_CLI the
# folder of zelvane-cli.exe; WORK is made anew. Wine's prefix is the caller's WINEPREFIX.
set -euo pipefail
linux_cli="$(realpath "$1")/cli/zelvane-cli"
generator="$(realpath "$1")/testing/zelvane-gen"
windows="$(realpath "$2")"
work="$(realpath -m "$3")"
rm -rf "$work"
mkdir -p "$work/linux" "$work/windows"

# Wine sees the Linux root as drive Z:, and a Windows program is handed Windows paths.
windows_path() { local p; p="$(realpath -m "$1")"; printf 'Z:%s' "${p//\//\\}"; }

drawings=()
for version in 420 600 700 800; do
  for size in 0 3M; do
    name="v$version-$size"
    "$generator" "$work/$name.jww" --version "$version" --size "$size" --seed "$version"
    drawings+=("$work/$name.jww")
    "$linux_cli" convert "$work/$name.jww" "$work/$name-wide.jww" \
      --target-version "$version" --strings wide
    drawings+=("$work/$name-wide.jww")
  done
done
japanese="$work/図面フォルダ"
mkdir -p "$japanese"
"$generator" "$japanese/配置図.jww" --version 700 --size 0 --seed 7
drawings+=("$japanese/配置図.jww")

failed=0
for drawing in "${drawings[@]}"; do
  name="$(basename "$drawing")"
  "$linux_cli" copy "$drawing" "$work/linux/$name"
  wine "$windows/zelvane-cli.exe" copy "$(windows_path "$drawing")" "$(windows_path "$work/windows/$name")"
  if cmp -s "$work/linux/$name" "$work/windows/$name"; then
    echo "same bytes: $name"
  else
    echo "DIFFERENT: $name" >&2
    failed=1
  fi
done
# The copy into the Japanese folder itself, next to its original.
wine "$windows/zelvane-cli.exe" copy "$(windows_path "$japanese/配置図.jww")" \
  "$(windows_path "$japanese/写し.jww")"
if cmp -s "$work/linux/配置図.jww" "$japanese/写し.jww"; then
  echo "same bytes: 図面フォルダ/写し.jww"
else
  echo "DIFFERENT: 図面フォルダ/写し.jww" >&2
  failed=1
fi

# apply over the Japanese folder, with a renamed layer, writes what the Linux build writes, and
# render draws the same objects.
"$linux_cli" export "$japanese/配置図.jww" --table layers | sed 's/^1,[^,]*,/1,壁,/' >"$work/edits.csv"
"$linux_cli" apply "$work/edits.csv" "$japanese" --out-dir "$work/linux/applied"
wine "$windows/zelvane-cli.exe" apply "$(windows_path "$work/edits.csv")" "$(windows_path "$japanese")" \
  --out-dir "$(windows_path "$work/windows/applied")"
"$linux_cli" render "$japanese/配置図.jww" -o "$work/linux/applied/配置図.svg" --layer 0-1
wine "$windows/zelvane-cli.exe" render "$(windows_path "$japanese/配置図.jww")" \
  -o "$(windows_path "$work/windows/applied/配置図.svg")" --layer 0-1
for name in 配置図.jww 写し.jww; do
  if cmp -s "$work/linux/applied/$name" "$work/windows/applied/$name"; then
    echo "same bytes: applied/$name"
  else
    echo "DIFFERENT: applied/$name" >&2
    failed=1
  fi
done
# The pictures' numbers may differ in their last digits, as the systems' sines do; the objects
# and their attributes may not.
objects() { grep -o 'data-kind="[a-z]*" data-layer="[0-9a-f-]*" data-index="[0-9]*"' "$1"; }
if [[ "$(objects "$work/linux/applied/配置図.svg")" == "$(objects "$work/windows/applied/配置図.svg")" ]]; then
  echo "same objects: 配置図.svg"
else
  echo "DIFFERENT objects: 配置図.svg" >&2
  failed=1
fi

# Standard output, with the drawings named relative to the working folder as both programs
# print the name they were given.
same_output() {
  local linux_out windows_out
  linux_out="$(cd "$work" && "$linux_cli" "$@" | od -An -tx1)"
  windows_out="$(cd "$work" && wine "$windows/zelvane-cli.exe" "$@" | od -An -tx1)"
  if [[ "$linux_out" == "$windows_out" ]]; then
    echo "same output: $*"
  else
    echo "DIFFERENT output: $*" >&2
    failed=1
  fi
}
same_output info v700-3M.jww --json
same_output info 図面フォルダ/配置図.jww
same_output export 図面フォルダ/配置図.jww --table all
same_output export v800-0-wide.jww --format json
same_output export v420-0.jww --table layers --encoding cp932

# What a person is told is in the locale's language, in the same words on both systems: a
# refused input, a usage error, a dry run of apply and the review of a drawing against its
# applied copy.
# The commands fail, as they should; what counts is what they say. A batch tells of each drawing
# as its worker ends it, so the dry run of two has one worker to tell them in a known order.
told() { (cd "$work" && "$@" 2>&1 | tr '\\' /) || true; }
same_words() {
  local linux_words windows_words
  linux_words="$(told "$linux_cli" "$@")"
  windows_words="$(told wine "$windows/zelvane-cli.exe" "$@")"
  if [[ "$linux_words" != "$windows_words" ]]; then
    echo "DIFFERENT words: $*" >&2
    failed=1
  elif [[ "$LANG" == ja* ]] && ! grep -qP '[^\x00-\x7F]' <<<"$linux_words"; then
    echo "NOT JAPANESE: $*: $linux_words" >&2
    failed=1
  else
    echo "same words: $*"
  fi
}
echo "no drawing" >"$work/not-a-drawing.jww"
same_words info not-a-drawing.jww
same_words apply edits.csv v420-0.jww
same_words apply edits.csv v420-0.jww v700-0.jww --out-dir checked --check --jobs 1
same_words diff 図面フォルダ/配置図.jww linux/applied/配置図.jww
exit "$failed"
