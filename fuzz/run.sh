#!/usr/bin/env bash
# Usage: fuzz/run.sh TARGET|all SECONDS
# Builds the fuzz targets with clang (AddressSanitizer, UndefinedBehaviorSanitizer and coverage
# on every library), makes the seed corpus and runs the target, or each of load, roundtrip, text
# and render, for SECONDS. Exits non-zero on any crash, leak, timeout, memory excess or sanitizer
# report; the input that caused it is left in the build folder's fuzz-artifacts/<target>/.
set -euo pipefail

if [ $# -ne 2 ]; then
    echo "usage: $0 load|roundtrip|text|render|all SECONDS" >&2
    exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZELVANE_FUZZ_BUILD:-$root/build-fuzz}
seconds=$2
case $1 in
    all) targets="load roundtrip text render" ;;
    load | roundtrip | text | render) targets=$1 ;;
    *)
        echo "$0: no fuzz target named $1" >&2
        exit 2
        ;;
esac

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZELVANE_FUZZ=ON -DZELVANE_GUI=OFF -DZELVANE_TESTS=OFF > /dev/null
cmake --build "$build" --target zelvane-gen zelvane-cli load_fuzzer roundtrip_fuzzer text_fuzzer render_fuzzer

seeds=$build/fuzz-seeds
bash "$root/fuzz/make_corpus.sh" "$build" "$seeds"

for target in $targets; do
    # Drawings need room for a header and a few hundred objects; texts are short.
    case $target in
        text) options=(-max_len=4096) ;;
        *) options=(-max_len=65536 -dict="$root/fuzz/jww.dict") ;;
    esac
    # New inputs the fuzzer finds are kept beside the seeds, so later runs go on from them.
    corpus=$build/fuzz-corpus/$target
    artifacts=$build/fuzz-artifacts/$target/
    mkdir -p "$corpus" "$artifacts"
    echo "== $target: $seconds s"
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        "$build/fuzz/${target}_fuzzer" -max_total_time="$seconds" "${options[@]}" \
        -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts" \
        "$corpus" "$seeds/$target"
done
