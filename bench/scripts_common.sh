# Sourced by the benchmark scripts: the Release build folder, the scratch folder and the clock.
#   ZELVANE_BENCH_BUILD=DIR       another build folder than build-bench/
#   ZELVANE_BENCH_SCRATCH=DIR     keep the drawings and results in DIR instead of a temp folder

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${ZELVANE_BENCH_BUILD:-$root/build-bench}
if [[ -n ${ZELVANE_BENCH_SCRATCH:-} ]]; then
    scratch=$ZELVANE_BENCH_SCRATCH
    mkdir -p "$scratch"
else
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' EXIT
fi

# Builds the named targets in Release, without tests; the window's library is there for the
# preview's benchmark.
build_bench_targets() {
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZELVANE_BENCH=ON \
        -DZELVANE_GUI=ON -DZELVANE_TESTS=OFF >/dev/null
    ninja -C "$build" "$@" >/dev/null
}

now() { date +%s%N; }

# Seconds of the fastest of three runs of a command, each after the function named first has
# prepared for it.
fastest_of_three() {
    local prepare=$1 best=
    shift
    for _ in 1 2 3; do
        "$prepare"
        local start end
        start=$(now)
        "$@" >/dev/null
        end=$(now)
        local took=$((end - start))
        if [[ -z $best || $took -lt $best ]]; then best=$took; fi
    done
    awk -v ns="$best" 'BEGIN { printf "%.3f", ns / 1e9 }'
}
