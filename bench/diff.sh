#!/usr/bin/env bash
# Builds the benchmarks in Release and times zelvane-cli diff of a 10 MB and a 200 MB drawing
# against a revision of each, a plain copy and a drawing generated from another seed, beside
# the load of both drawings; prints each diff as a multiple of that load.
#
#   bench/diff.sh                 build into build-bench/, scratch files in a temp folder
#   ZELVANE_BENCH_BUILD=DIR       another build folder
#   any arguments                 passed on to zelvane-diff-bench
set -euo pipefail

source "$(dirname "$0")/scripts_common.sh"

build_bench_targets zelvane-diff-bench
echo "Load average before: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
"$build/bench/zelvane-diff-bench" --benchmark_out="$scratch/diff.json" \
    --benchmark_out_format=json "$@"
echo "Load average after: $(cut -d' ' -f1-3 /proc/loadavg)"

# Every diff over the load of its drawing and the revision, in real and in CPU time.
echo
echo "Target: a diff of two 200 MB drawings takes at most 3 x a load of both."
python3 - "$scratch/diff.json" <<'PYTHON'
import json, sys
runs = {b["name"].split("/min_time")[0]: b for b in json.load(open(sys.argv[1]))["benchmarks"]}
print(f'{"diff":24} {"real ms":>9} {"cpu ms":>9} {"x load":>7} {"x load cpu":>10}')
for name, run in runs.items():
    if not name.startswith("Diff/"):
        continue
    drawing = name[len("Diff/"):].rsplit("-", 1)[0]
    load = runs["LoadBoth/" + drawing]
    print(f'{name[5:]:24} {run["real_time"]:9.0f} {run["cpu_time"]:9.0f} '
          f'{run["real_time"] / load["real_time"]:7.2f} {run["cpu_time"] / load["cpu_time"]:10.2f}')
PYTHON
