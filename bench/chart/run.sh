#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Chart figures, measured in one Google Benchmark run:
#   single chart of 100,000 quotations into 1600x600     (must be <= 16 ms and <= 3 x drawPolyline of its points)
#   comparison of 20 x 5,000 quotations                  (likewise, against 20 polylines)
#   hover picking over 100,000 points                    (must be <= 1 ms)
# Each case runs five times; the fastest run counts. The limits hold for the drawing thread's processor
# time, which other processes on a busy machine do not stretch; the wall-clock time and the load average
# are printed beside it.
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TICKORA_SETTINGS="$work/settings.ini"
"$build/bench/chart/bench_chart" --benchmark_format=json --benchmark_min_time=1 --benchmark_repetitions=5 \
  > "$work/chart.json"

python3 - "$work/chart.json" <<'PY'
import json, os, sys
cpu, real = {}, {}
for run in json.load(open(sys.argv[1]))["benchmarks"]:
    if run.get("run_type", "iteration") != "iteration":
        continue
    name = run["run_name"] if "run_name" in run else run["name"]
    cpu[name] = min(cpu.get(name, float("inf")), run["cpu_time"])
    real[name] = min(real.get(name, float("inf")), run["real_time"])
single, line = cpu["SingleChart"], cpu["SinglePolyline"]
comparison, lines = cpu["ComparisonChart"], cpu["ComparisonPolylines"]
hover = cpu["HoverPicking"]
figures = [
    ("single chart, ms", single, 16.0, f"{single:.2f} ms (wall {real['SingleChart']:.2f} ms)"),
    ("single chart / drawPolyline", single / line, 3.0, f"{single:.2f} ms vs {line:.2f} ms"),
    ("comparison chart, ms", comparison, 16.0, f"{comparison:.2f} ms (wall {real['ComparisonChart']:.2f} ms)"),
    ("comparison / drawPolyline", comparison / lines, 3.0, f"{comparison:.2f} ms vs {lines:.2f} ms"),
    ("hover picking, ms", hover, 1.0, f"{hover * 1000:.3f} us"),
]
failed = False
for name, value, limit, detail in figures:
    ok = value <= limit
    failed |= not ok
    print(f"{name:32s} {value:8.3f}  (limit {limit:g})  {'ok' if ok else 'TOO SLOW'}  {detail}")
print("load average: " + " ".join(f"{load:.2f}" for load in os.getloadavg()))
sys.exit(1 if failed else 0)
PY
