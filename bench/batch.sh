#!/usr/bin/env bash
# One set of layer-name edits applied to 400 generated drawings of real sizes (15 to 400 KB):
# `zelvane-cli apply` beside a shell loop of `zelvane-cli import` and beside `cp` of the same
# files followed by `sync`, in one run; then the load and save of a small drawing in one process
# beside a plain durable copy of it.
# The generator's drawings start at about 24 KB; the small drawing is its header without objects.
#
#   bench/batch.sh                build into build-bench/, scratch files in a temp folder
#   ZELVANE_BENCH_BUILD=DIR       another build folder
#   ZELVANE_BENCH_SCRATCH=DIR     keep the drawings and results in DIR
#   ZELVANE_BENCH_DRAWINGS=N      another number of drawings (default 400)
set -euo pipefail

source "$(dirname "$0")/scripts_common.sh"
count=${ZELVANE_BENCH_DRAWINGS:-400}

build_bench_targets zelvane-gen zelvane-cli zelvane-bench-small
cli=$build/cli/zelvane-cli

# Sizes spread evenly from 15 KB to 400 KB, every fourth drawing without images.
drawings=$scratch/drawings
rm -rf "$drawings"
mkdir -p "$drawings"
for ((i = 0; i < count; i++)); do
    size=$((15000 + i * 385000 / (count > 1 ? count - 1 : 1)))
    images=()
    if ((i % 4 == 3)); then images=(--no-images); fi
    "$build/testing/zelvane-gen" "$drawings/$(printf 'd%03d' "$i").jww" --version 700 \
        --size "$size" --seed $((i + 1)) "${images[@]}" >/dev/null
done
total=$(du -cb "$drawings"/*.jww | tail -1 | cut -f1)

# The layer table of the first drawing with two names set to a company's standard.
"$cli" export "$drawings/d000.jww" --table layers -o "$scratch/layers.csv" --force
awk -F, 'BEGIN { OFS = "," } NR == 2 { $2 = "基準線" } NR == 3 { $2 = "壁" } { print }' \
    "$scratch/layers.csv" >"$scratch/edits.csv"
cat "$drawings"/*.jww >/dev/null  # a warm page cache for every measurement

# Every run writes into an empty folder, with nothing of the run before still to be synced.
out=$scratch/out
empty_out() {
    rm -rf "$out"
    mkdir -p "$out"
    sync
}

run_apply() { "$cli" apply "$scratch/edits.csv" "$drawings" --out-dir "$out"; }
run_loop() {
    for f in "$drawings"/*.jww; do
        "$cli" import "$f" "$scratch/edits.csv" "$out/$(basename "$f")" 2>/dev/null
    done
}
run_cp_sync() { cp "$drawings"/*.jww "$out"/ && sync; }

apply_s=$(fastest_of_three empty_out run_apply)
loop_s=$(fastest_of_three empty_out run_loop)
cp_s=$(fastest_of_three empty_out run_cp_sync)
rm -rf "$out"

echo "Load average: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
awk -v n="$count" -v b="$total" -v a="$apply_s" -v l="$loop_s" -v c="$cp_s" 'BEGIN {
    printf "%d drawings, %.1f MB\n", n, b / 1e6
    printf "%-28s %8s %10s\n", "", "seconds", "ms/drawing"
    printf "%-28s %8.3f %10.2f\n", "zelvane-cli apply", a, a * 1000 / n
    printf "%-28s %8.3f %10.2f\n", "loop of zelvane-cli import", l, l * 1000 / n
    printf "%-28s %8.3f %10.2f\n", "cp + sync", c, c * 1000 / n
    printf "apply / loop = %.2f (target <= 0.25), apply / (cp + sync) = %.2f (target <= 4)\n",
        a / l, a / c
}'

echo
"$build/bench/zelvane-bench-small" --benchmark_out="$scratch/small.json" \
    --benchmark_out_format=json
awk '
    $1 == "\"name\":" { name = $2; gsub(/[",]/, "", name) }
    $1 == "\"real_time\":" { v = $2; gsub(/,/, "", v); t[name] = v }
    END {
        for (n in t) { if (n ~ /^LoadSaveJww/) s = t[n]; if (n ~ /^PlainCopy/) c = t[n] }
        if (c > 0) printf "load + save / plain copy of the small drawing = %.2f (target <= 3)\n", s / c
    }' "$scratch/small.json"
