#!/usr/bin/env bash
# Usage: fuzz/make_corpus.sh BUILD_DIR OUTDIR
# Writes the seed corpus of every fuzz target into OUTDIR/<target>: drawings of our own
# generator (BUILD_DIR/testing/zelvane-gen) in each format version, older versions and wide
# strings converted from them (BUILD_DIR/cli/zelvane-cli), cut and padded copies, and a few
# hand-built edge inputs. The corpus is made afresh on every run, so no drawing is kept in the
# repository.
set -euo pipefail

gen=$1/testing/zelvane-gen
cli=$1/cli/zelvane-cli
out=$2
rm -rf "$out"
mkdir -p "$out/load" "$out/roundtrip" "$out/text" "$out/render"
drawings=$out/load

# Small drawings: the generator's smallest holds every kind of object; the larger ones stay
# under the fuzzers' input limit.
for version in 420 600 700 800; do
    for size in 0 24000 48000; do
        "$gen" "$drawings/v${version}-${size}.jww" --version "$version" --size "$size" --seed "$size"
    done
    "$gen" "$drawings/v${version}-noimages.jww" --version "$version" --size 0 --no-images
done

# The older layouts are also the smallest drawings, so mutations reach their objects more often.
for version in 300 350 351 400; do
    "$cli" convert "$drawings/v420-0.jww" "$drawings/v${version}.jww" --target-version "$version" 2> /dev/null
done
"$cli" convert "$drawings/v420-0.jww" "$drawings/v300-wide.jww" --target-version 300 --strings wide 2> /dev/null
"$cli" convert "$drawings/v700-0.jww" "$drawings/v700-wide.jww" --target-version 700 --strings wide 2> /dev/null

# Cut inside the entity list, the block definitions and the images, and with bytes behind the
# end: every section's failure path is one mutation away.
for version in 420 700; do
    whole=$drawings/v${version}-0.jww
    size=$(stat -c %s "$whole")
    for keep in 12 15000 $((size / 2)) $((size - 100)) $((size - 1)); do
        head -c "$keep" "$whole" > "$drawings/v${version}-cut${keep}.jww"
    done
    { cat "$whole"; printf 'trailing bytes'; } > "$drawings/v${version}-tail.jww"
done

# Edge inputs: nothing, the signature alone, a version too old, an announced count far beyond
# the file.
printf '' > "$drawings/empty.jww"
printf 'JwwData.' > "$drawings/signature.jww"
printf 'JwwData.\xdb\x00\x00\x00\x00' > "$drawings/v219.jww"
printf 'JwwData.\xa4\x01\x00\x00\xff\xff\xff' > "$drawings/v420-huge-memo.jww"

cp "$drawings"/*.jww "$out/roundtrip/"

# The pictures take the same drawings, and nested insertions that would expand without bound.
cp "$drawings"/*.jww "$out/render/"
"$gen" "$out/render/nested-10x12.jww" --version 700 --size 0 --nested 10 12
"$gen" "$out/render/nested-3x16.jww" --version 420 --size 0 --nested 3 16

# Text inputs: position and count as two little-endian 32-bit integers, then the text.
text=$out/text
printf '\x01\x00\x00\x00\x07\x00\x00\x00\x82\xa0\x82\xa2\x82\xa4\x82\xa6' > "$text/pairs"
printf '\x02\x00\x00\x00\x04\x00\x00\x00\x82\xa0ab^mcd\r\n' > "$text/control"
printf '\x01\x00\x00\x00\x00\x01\x00\x00  $FFFFFFFF' > "$text/hex-number"
printf '\x01\x00\x00\x00\x10\x00\x00\x00-2.5e10' > "$text/float"
printf '\x05\x00\x00\x00\xff\xff\xff\x7f\xb1\xb2\xfe\xff\x80\xfd' > "$text/single-bytes"
printf '\x01\x00\x00\x00\x03\x00\x00\x00\x87\x40\xed\x40\xfa\x40\x81' > "$text/extensions"
