#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The desktop program on the offscreen platform:
#   start-up to the list's first paint of 200 items x 5,000 quotations (TICKORA_EXIT_AFTER_FIRST_PAINT=1)
#   / a bare Qt Widgets window over the same quotations as packed records: menu bar, toolbar, a 9-column tree
#   of one row per item and a status bar, ending after the tree's first paint   (must be <= 1.3)
#   the list refreshed and repainted after one item's update in a 1,000-item portfolio   (must be <= 16 ms of
#   processor time; the wall time is printed beside it, as it grows with whatever else the machine runs)
set -euo pipefail
build=$(cd "$1" && pwd)
gui="$build/src/gui/tickora"
reference="$build/bench/gui/bench_gui_reference"
if [ ! -x "$gui" ]; then
  echo "the desktop program was not built"
  exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TICKORA_SETTINGS="$work/settings.ini" QT_QPA_PLATFORM=offscreen

"$build/bench/portfolio/bench_portfolio_make" 200 5000 "$work/p.tkr" "$work/q.bin" "$work/q.csv"
TICKORA_EXIT_AFTER_FIRST_PAINT=1 "$gui" "$work/p.tkr"

# Both started the same way, in the same environment.
hyperfine --warmup 2 --min-runs 15 --export-json "$work/h.json" -N \
  -n "tickora to first paint" "env TICKORA_EXIT_AFTER_FIRST_PAINT=1 $gui $work/p.tkr" \
  -n "bare Qt window" "env TICKORA_EXIT_AFTER_FIRST_PAINT=1 $reference $work/q.bin 5000"

"$build/bench/gui/bench_gui_list" --benchmark_format=json > "$work/list.json"

python3 - "$work" <<'PY'
import json, sys
work = sys.argv[1]
runs = {r["command"]: r["mean"] for r in json.load(open(f"{work}/h.json"))["results"]}
first_paint, bare = runs["tickora to first paint"], runs["bare Qt window"]
list_run = json.load(open(f"{work}/list.json"))["benchmarks"][0]
rebuild, rebuild_wall = list_run["cpu_time"], list_run["real_time"]
figures = [
    ("first paint / bare Qt window", first_paint / bare, 1.3, f"{first_paint*1000:.1f} ms vs {bare*1000:.1f} ms"),
    ("list refresh after one update, cpu ms", rebuild, 16.0, f"1,000 items, wall {rebuild_wall:.1f} ms"),
]
failed = False
for name, figure, limit, detail in figures:
    ok = figure <= limit
    failed |= not ok
    print(f"{name:40s} {figure:6.2f}  (limit {limit:g})  {'ok' if ok else 'TOO SLOW'}  {detail}")
sys.exit(1 if failed else 0)
PY
