#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The XPath rule on a 1 MB page / libxml2's htmlReadMemory of the same page (must be <= 1.5),
# medians of the CPU time of five repetitions measured in this run.
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$build/bench/xpath/bench_xpath_rule" --benchmark_out="$work/xpath.json" --benchmark_out_format=json

python3 - "$work/xpath.json" <<'PY'
import json, sys
# CPU time: the machine may be shared, and both sides run on one thread.
medians = {b["run_name"].split("/")[0]: b["cpu_time"] for b in json.load(open(sys.argv[1]))["benchmarks"]
           if b.get("aggregate_name") == "median"}
parse = medians["LibraryParse"]
failed = False
for name, limit in (("XPathRuleOnPage", 1.5), ("XPathRuleOnRawPage", None)):
    ratio = medians[name] / parse
    ok = limit is None or ratio <= limit
    failed |= not ok
    bound = f"(limit {limit:g})" if limit else "(for reference)"
    print(f"{name} / LibraryParse {ratio:6.2f}  {bound}  {'ok' if ok else 'TOO SLOW'}  "
          f"{medians[name]:.2f} ms vs {parse:.2f} ms")
sys.exit(1 if failed else 0)
PY
