#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Portfolio figures on 200 items x 5,000 quotations, as ratios of the minima over at least 15 runs of this
# run (the disk's noise only ever adds time):
#   show / sqlite3 SELECT sum(value)   (must be < 1)
#   show / bare packed-record reader   (must be <= 1)
#   save: (convert - show) / bare read, write, flush to disk and rename of the same bytes   (must be <= 1.2)
#   save / open in one process         (must be <= 2; the save includes the disk flush of the
#                                       atomic replace, shown apart as "stream only" for reference)
#   peak memory of show / (2 x file size + 30 MB)   (must be <= 1)
#   show / the packed-record reader in a Qt Core program   (no limit: what a Qt tool's start-up adds)
set -euo pipefail
build=$(cd "$1" && pwd)
cli="$build/src/cli/tickora-cli"
here="$build/bench/portfolio"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TICKORA_SETTINGS="$work/settings.ini"

"$here/bench_portfolio_make" 200 5000 "$work/p.tkr" "$work/q.bin" "$work/q.csv"
sqlite3 "$work/q.db" "CREATE TABLE q(item INTEGER, time INTEGER, value REAL);" ".mode csv" ".import $work/q.csv q"
"$cli" show "$work/p.tkr" > /dev/null

hyperfine --warmup 2 --min-runs 15 --export-json "$work/h.json" -N \
  "$cli show $work/p.tkr" \
  "sqlite3 $work/q.db 'SELECT sum(value) FROM q'" \
  "$here/bench_portfolio_packed $work/q.bin" \
  "$here/bench_portfolio_packed_qt $work/q.bin" \
  "$cli convert $work/p.tkr $work/out.tkr" \
  "$here/bench_portfolio_save_reference $work/p.tkr $work/copy.tkr" > "$work/hyperfine.txt"
cat "$work/hyperfine.txt"

TICKORA_BENCH_PORTFOLIO="$work/p.tkr" "$here/bench_portfolio_io" --benchmark_format=json > "$work/io.json"

/usr/bin/time -f '%M' -o "$work/rss" "$cli" show "$work/p.tkr" > /dev/null

python3 - "$work" <<'PY'
import json, os, sys
work = sys.argv[1]
runs = {r["command"]: r["min"] for r in json.load(open(f"{work}/h.json"))["results"]}
show = next(v for k, v in runs.items() if " show " in k)
sqlite = next(v for k, v in runs.items() if k.startswith("sqlite3"))
packed = next(v for k, v in runs.items() if "packed " in k)
packed_qt = next(v for k, v in runs.items() if "packed_qt" in k)
convert = next(v for k, v in runs.items() if " convert " in k)
bare_save = next(v for k, v in runs.items() if "save_reference" in k)
io = {b["name"].split("/")[0]: b["real_time"] for b in json.load(open(f"{work}/io.json"))["benchmarks"]}
size = os.path.getsize(f"{work}/p.tkr")
peak_kb = int(open(f"{work}/rss").read().split()[-1])
allowed_kb = (2 * size) / 1024 + 30 * 1024
figures = [
    ("show / sqlite3 sum", show / sqlite, 1.0, f"{show*1000:.1f} ms vs {sqlite*1000:.1f} ms"),
    ("show / packed reader", show / packed, 1.0, f"{show*1000:.1f} ms vs {packed*1000:.1f} ms"),
    ("save (convert - show) / bare save", (convert - show) / bare_save, 1.2,
     f"{(convert - show)*1000:.1f} ms vs {bare_save*1000:.1f} ms"),
    ("save / open", io["Save"] / io["Open"], 2.0, f"{io['Save']:.1f} ms vs {io['Open']:.1f} ms"),
    ("save, stream only / open", io["Serialize"] / io["Open"], 2.0, f"{io['Serialize']:.1f} ms"),
    ("show peak memory / (2 x file + 30 MB)", peak_kb / allowed_kb, 1.0,
     f"{peak_kb/1024:.1f} MB, file {size/1048576:.1f} MB"),
]
failed = False
for name, ratio, limit, detail in figures:
    ok = ratio < limit if name.startswith("show / sqlite") else ratio <= limit
    failed |= not ok
    print(f"{name:40s} {ratio:6.2f}  (limit {limit:g})  {'ok' if ok else 'TOO SLOW'}  {detail}")
print(f"{'show / packed reader in a Qt program':40s} {show / packed_qt:6.2f}  (no limit: the floor of a Qt tool)  "
      f"{show*1000:.1f} ms vs {packed_qt*1000:.1f} ms")
sys.exit(1 if failed else 0)
PY
