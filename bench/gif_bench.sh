#!/bin/sh
# Generates the large GIF inputs and compares decode throughput of our reader and giflib.
#   bench/gif_bench.sh [build-dir] [repetitions]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-gif}
reps=${2:-5}
cmake --build "$build" --target gif_make_inputs gif_decode -j2 >/dev/null
inputs=$build/gif-bench-inputs
[ -f "$inputs/noise.gif" ] || "$build/bench/gif_make_inputs" "$inputs"
PC_GIF_BENCH_INPUTS=$inputs "$build/bench/gif_decode" --benchmark_repetitions="$reps" \
  --benchmark_report_aggregates_only=true --benchmark_format=json >"$build/gif_decode.json"
python3 - "$build/gif_decode.json" <<'PY'
import json, sys
runs = json.load(open(sys.argv[1]))["benchmarks"]
med = {r["run_name"]: r["MPixel/s"] for r in runs if r.get("aggregate_name") == "median"}
print(f"{'file':14} {'ours MPixel/s':>14} {'giflib MPixel/s':>16} {'ratio':>6}   (medians of repetitions)")
for name in sorted(k for k in med if k.startswith("ours/")):
    kind = name.split("/")[1]
    ours = med[name]
    theirs = med[name.replace("ours/", "giflib/", 1)]
    print(f"{kind:14} {ours:14.1f} {theirs:16.1f} {ours / theirs:6.2f}")
PY
