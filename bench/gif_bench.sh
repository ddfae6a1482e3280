#!/bin/sh
# Generates the large GIF inputs and compares decode throughput of our reader, giflib and, when
# given the path of Wuffs's single-file C release, Wuffs. Repetitions run interleaved at random.
#   bench/gif_bench.sh [build-dir] [repetitions] [path/to/wuffs-v0.3.c]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-gif}
reps=${2:-5}
if [ -n "${3:-}" ]; then
  wuffs=$(cd "$(dirname "$3")" && pwd)/$(basename "$3")
  cmake -S "$root" -B "$build" -DPC_WUFFS_C="$wuffs" >/dev/null
fi
cmake --build "$build" --target gif_make_inputs gif_decode -j2 >/dev/null
inputs=$build/gif-bench-inputs
[ -f "$inputs/noise.gif" ] || "$build/bench/gif_make_inputs" "$inputs"
PC_GIF_BENCH_INPUTS=$inputs "$build/bench/gif_decode" --benchmark_repetitions="$reps" \
  --benchmark_enable_random_interleaving=true \
  --benchmark_report_aggregates_only=true --benchmark_format=json >"$build/gif_decode.json"
python3 - "$build/gif_decode.json" <<'PY'
import json, sys
runs = json.load(open(sys.argv[1]))["benchmarks"]
med = {r["run_name"]: r["MPixel/s"] for r in runs if r.get("aggregate_name") == "median"}
if not med:  # one repetition has no aggregates
    med = {r["run_name"]: r["MPixel/s"] for r in runs if r.get("run_type") == "iteration"}
wuffs = any(k.startswith("wuffs/") for k in med)
print(f"{'file':14} {'ours':>8} {'giflib':>8} {'Wuffs':>8} {'ours/Wuffs':>11} {'ours/giflib':>12}"
      "   (MPixel/s, medians of repetitions)")
for name in sorted(k for k in med if k.startswith("ours/")):
    kind = name.split("/")[1]
    ours = med[name]
    gl = med[name.replace("ours/", "giflib/", 1)]
    wu = med.get(name.replace("ours/", "wuffs/", 1))
    wcols = f"{wu:8.1f} {ours / wu:11.2f}" if wu else f"{'-':>8} {'-':>11}"
    print(f"{kind:14} {ours:8.1f} {gl:8.1f} {wcols} {ours / gl:12.2f}")
if not wuffs:
    print("Without Wuffs: give the path of release/c/wuffs-v0.3.c of github.com/google/wuffs "
          "as the third argument to measure it too.")
PY
