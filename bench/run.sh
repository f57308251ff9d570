#!/usr/bin/env bash
# Builds the benchmarks in Release, generates a 10 MB and a 200 MB drawing, runs the load, save,
# table and render benchmarks and prints their throughput beside the time `cp` takes for the
# same file, with and without a `sync` of the copy, the time of `zelvane-cli copy` and the peak
# memory of a load; then the preview's frame times, and the time and peak memory of pictures of
# drawings whose nested insertions would expand without bound.
#
#   bench/run.sh                  build into build-bench/, scratch files in a temp folder
#   ZELVANE_BENCH_BUILD=DIR       another build folder
#   ZELVANE_BENCH_SCRATCH=DIR     keep the drawings and results in DIR
#   ZELVANE_BENCH_VERSION=N       format version of the drawings (default 700)
#   any arguments                 passed on to zelvane-bench (e.g. --benchmark_filter=Load)
set -euo pipefail

source "$(dirname "$0")/scripts_common.sh"
version=${ZELVANE_BENCH_VERSION:-700}

if [[ ! -x /usr/bin/time ]]; then
    apt-get update -qq && apt-get install -y -qq time >/dev/null
fi

build_bench_targets zelvane-gen zelvane-cli zelvane-bench zelvane-load-once zelvane-preview-bench

# Seconds of the fastest of three runs of a command that writes $target.
best_of_three() {
    local target=$1
    shift
    remove_target() { rm -f "$target"; }
    fastest_of_three remove_target "$@"
    rm -f "$target"
}

names=(10MB 200MB)
sizes=(10MB 200MB)
drawings=()
for i in "${!names[@]}"; do
    drawing=$scratch/${names[$i]}.jww
    start=$(now)
    "$build/testing/zelvane-gen" "$drawing" --version "$version" --size "${sizes[$i]}"
    end=$(now)
    awk -v ns=$((end - start)) -v f="$drawing" 'BEGIN { printf "generated %s in %.2f s\n", f, ns / 1e9 }'
    cat "$drawing" >/dev/null  # a warm page cache for every measurement
    drawings+=("$drawing")
done

echo
"$build/bench/zelvane-bench" --benchmark_out="$scratch/bench.json" \
    --benchmark_out_format=json "$@" "${drawings[@]}"

# A field of a benchmark from its JSON output; the name may carry suffixes like /real_time.
bench_value() {
    awk -v want="$1" -v field="\"$2\":" '
        $1 == "\"name\":" { name = $2; gsub(/[",]/, "", name) }
        $1 == field && (name == want || index(name, want "/") == 1) {
            v = $2; gsub(/,/, "", v); print v; exit
        }
    ' "$scratch/bench.json"
}

# Throughput over the CPU time the benchmark's process used (a save's storing thread included),
# which other work on the machine does not inflate.
cpu_throughput() {
    local real cpu per_second
    real=$(bench_value "$1" real_time)
    cpu=$(bench_value "$1" cpu_time)
    per_second=$(bench_value "$1" bytes_per_second)
    awk -v r="${real:-0}" -v c="${cpu:-0}" -v b="${per_second:-0}" \
        'BEGIN { print (c > 0 ? b * r / c : 0) }'
}

echo
echo "Load average: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores" \
    "(the cpu columns stay meaningful when it is high)"
printf '%-6s %8s %9s %9s %9s %9s %7s %7s %7s %7s %8s %9s %10s\n' drawing "size MB" \
    "load MB/s" "load cpu" "save MB/s" "save cpu" "cp s" "+sync s" "copy s" copy/cp "peak MB" \
    peak/size "FillTbl ms"
for drawing in "${drawings[@]}"; do
    name=$(basename "$drawing" .jww)
    bytes=$(stat -c %s "$drawing")
    load=$(bench_value "LoadJww/$name" bytes_per_second)
    load_cpu=$(cpu_throughput "LoadJww/$name")
    save=$(bench_value "SaveJww/$name" bytes_per_second)
    save_cpu=$(cpu_throughput "SaveJww/$name")
    fill=$(bench_value "FillTables/$name" real_time)
    cp_s=$(best_of_three "$scratch/cp.jww" cp "$drawing" "$scratch/cp.jww")
    # A save makes its file durable before it reports success, which cp does not.
    cp_sync_s=$(best_of_three "$scratch/cp.jww" sh -c 'cp "$1" "$2" && sync "$2"' sh "$drawing" \
        "$scratch/cp.jww")
    copy_s=$(best_of_three "$scratch/copy.jww" "$build/cli/zelvane-cli" copy "$drawing" \
        "$scratch/copy.jww")
    peak_kb=$(/usr/bin/time -f %M "$build/bench/zelvane-load-once" "$drawing" 2>&1 >/dev/null | tail -1)
    awk -v n="$name" -v b="$bytes" -v l="${load:-0}" -v lc="$load_cpu" -v s="${save:-0}" \
        -v sc="$save_cpu" -v c="$cp_s" -v cs="$cp_sync_s" -v y="$copy_s" -v p="$peak_kb" \
        -v f="${fill:-0}" 'BEGIN {
        printf "%-6s %8.1f %9.0f %9.0f %9.0f %9.0f %7.3f %7.3f %7.3f %7.2f %8.1f %9.2f %10.3f\n",
            n, b / 1e6, l / 1e6, lc / 1e6, s / 1e6, sc / 1e6, c, cs, y, (c > 0 ? y / c : 0),
            p * 1024 / 1e6, p * 1024 / b, f
    }'
done
echo
echo "Targets: load and save >= 500 MB/s and copy <= 4 x cp on 200MB; peak <= 2.5 x size;"
echo "FillTables on a million objects < 20 ms."

echo
echo "RenderDrawing (every object to primitives, the preview's work on opening a drawing):"
for drawing in "${drawings[@]}"; do
    name=$(basename "$drawing" .jww)
    awk -v n="$name" -v t="$(bench_value "RenderDrawing/$name" real_time)" \
        'BEGIN { printf "  %-6s %9.1f ms\n", n, t }'
done
echo
echo "Preview frames of 1280 x 800 (fit: the whole drawing; zoomN: N times closer):"
"$build/bench/zelvane-preview-bench" --benchmark_min_time=1 "${drawings[@]}"

echo
echo "Pictures of nested insertions (definition k inserts k + 1 ten times; seconds, peak MB):"
for depth in 8 12; do
    nested=$scratch/nested-$depth.jww
    "$build/testing/zelvane-gen" "$nested" --version 700 --size 0 --nested 10 "$depth"
    for kind in svg png; do
        /usr/bin/time -f "%e %M" -o "$scratch/time.txt" "$build/cli/zelvane-cli" render "$nested" \
            -o "$scratch/nested.$kind" --force
        awk -v d="$depth" -v k="$kind" '{ printf "  10 x %-2s %s  %6.2f s %7.1f MB\n", d, k, $1, $2 / 1024 }' \
            "$scratch/time.txt"
    done
done
echo "Target: under 2 s and 500 MB each. Load average: $(cut -d' ' -f1-3 /proc/loadavg)"
