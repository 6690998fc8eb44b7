#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Rule repair of a 1 MB page with 5,000 numbers (must be <= 1 s) and the wizard's rule generation on pages
# with a 3,000-letter run before the quotation (each <= 0.2 s); medians of the CPU time of five repetitions.
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$build/bench/repair/bench_repair" --benchmark_out="$work/repair.json" --benchmark_out_format=json

python3 - "$work/repair.json" <<'PY'
import json, sys
failed = False
for b in json.load(open(sys.argv[1]))["benchmarks"]:
    if b.get("aggregate_name") != "median":
        continue
    name = b["run_name"]
    limit = 1000.0 if name.startswith("RepairLargePage") else 200.0
    ok = b["cpu_time"] <= limit
    failed |= not ok
    extra = f"  {b['verified']:.0f} verified, {b['candidates']:.0f} kept" if "verified" in b else ""
    print(f"{name:24} {b['cpu_time']:8.1f} ms  (limit {limit:g} ms)  {'ok' if ok else 'TOO SLOW'}{extra}")
sys.exit(1 if failed else 0)
PY
