#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by bench/json and bench/xpath: runs the Google Benchmark program BENCHMARK and prints
# NAMERuleOnPage / LibraryParse (must be <= 1.5) and NAMERuleOnRawPage / LibraryParse (for reference),
# medians of the CPU time of its five repetitions. Usage: rule-against-parse.sh BENCHMARK NAME
set -euo pipefail
benchmark=$1
name=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$benchmark" --benchmark_out="$work/out.json" --benchmark_out_format=json

python3 - "$work/out.json" "$name" <<'PY'
import json, sys
# CPU time: the machine may be shared, and both sides run on one thread.
medians = {b["run_name"].split("/")[0]: b["cpu_time"] for b in json.load(open(sys.argv[1]))["benchmarks"]
           if b.get("aggregate_name") == "median"}
parse = medians["LibraryParse"]
failed = False
for name, limit in ((sys.argv[2] + "RuleOnPage", 1.5), (sys.argv[2] + "RuleOnRawPage", None)):
    ratio = medians[name] / parse
    ok = limit is None or ratio <= limit
    failed |= not ok
    bound = f"(limit {limit:g})" if limit else "(for reference)"
    print(f"{name} / LibraryParse {ratio:6.2f}  {bound}  {'ok' if ok else 'TOO SLOW'}  "
          f"{medians[name]:.2f} ms vs {parse:.2f} ms")
sys.exit(1 if failed else 0)
PY
