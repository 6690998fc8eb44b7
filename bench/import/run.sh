#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Import of a price file into an item of a portfolio, saved, against a bare C reference (import_reference.c).
#   tickora-cli: starts, reads the settings and the portfolio, reads the file whole and makes it valid UTF-8,
#     translates the import format into its pattern, matches it with PCRE2 JIT match after match (each start
#     with PCRE2's match limits, the processor clock looked at between matches), converts each date to local
#     time, parses each value, merges the quotations into the item's history (in time order, the last per time
#     kept) and saves the whole portfolio through a temporary file beside it: write, fsync, rename.
#   reference: reads the file whole, compiles the same pattern with JIT, runs pcre2_jit_match in the same
#     successive-match loop, mktime per date, strtod per value, keeps the pairs in file order (no sort), writes
#     them as packed 12-byte records: write, fflush, fsync, rename.
# Goals: with TZ=UTC at most 1.2 times the reference; with TZ unset at most 1.3 times the reference run with
# TZ=UTC. Then 1M and 10M lines, one per minute: 10M at most 11 times 1M, peak memory at most 3 times the file.
set -euo pipefail
build_dir=$(cd "${1:-build-bench}" && pwd)
cli="$build_dir/src/cli/tickora-cli"
reference="$build_dir/bench/import/import_reference"
make_history="$build_dir/bench/import/bench_import_make"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TICKORA_SETTINGS="$work/settings.ini" LC_ALL=C

format='[&year]-[&month]-[&day] [&hour]:[&minute],[&dummyvalue],[&dummyvalue],[&dummyvalue],[&value],[&dummyvalue],[&dummyvalue]'
# What that format translates to with the separators " 9999.99".
months='[0-9]+|jan|january|januar|janeiro|feb|fev|february|februar|fevereiro|mar|mär|march|märz|março|apr|abr|april|abril|may|mai|maio|jun|june|juni|junho|jul|july|juli|julho|aug|ago|august|agosto|sep|set|september|setembro|oct|okt|out|october|oktober|outubro|nov|november|novembro|dec|dez|december|dezember|dezembro'
pattern="([0-9]+)-(${months})-[ ]*([0-9]+) [ ]*([0-9]+):([0-9]+),[0-9.]+,[0-9.]+,[0-9.]+,([0-9.]+),[0-9.]+,[0-9.]+"

"$cli" new "$work/fresh.tkr" >/dev/null
"$cli" add "$work/fresh.tkr" --name X >/dev/null
import_command() { # CSV
  echo "$cli import $1 --into $work/p.tkr --item X --format '$format' --separators ' 9999.99'"
}
reference_command() { # CSV
  echo "$reference '$pattern' $1 $work/reference.bin"
}

csv="$work/hourly.csv"
"$make_history" 100000 1262304000 60 "$csv" # from 2010-01-01 00:00
cp "$work/fresh.tkr" "$work/p.tkr"
TZ=UTC eval "$(import_command "$csv")" 2>/dev/null
echo "quotations: reference $(TZ=UTC eval "$(reference_command "$csv")" | cut -d' ' -f1)," \
  "portfolio $(stat -c %s "$work/p.tkr") bytes"

hyperfine -N --warmup 2 --min-runs 10 --prepare "cp $work/fresh.tkr $work/p.tkr" --export-json "$work/import.json" \
  -n "tickora-cli, TZ=UTC" "env TZ=UTC $(import_command "$csv")" \
  -n "tickora-cli, TZ unset" "env -u TZ $(import_command "$csv")" \
  -n "reference, TZ=UTC" "env TZ=UTC $(reference_command "$csv")" \
  -n "reference, TZ unset" "env -u TZ $(reference_command "$csv")"

for lines in 1000000 10000000; do
  "$make_history" $lines 946684800 1 "$work/minutes$lines.csv" # from 2000-01-01 00:00
done
hyperfine -N --warmup 1 --runs 3 --prepare "cp $work/fresh.tkr $work/p.tkr" --export-json "$work/long.json" \
  -n "1M lines" "env -u TZ $(import_command "$work/minutes1000000.csv")" \
  -n "10M lines" "env -u TZ $(import_command "$work/minutes10000000.csv")"
cp "$work/fresh.tkr" "$work/p.tkr"
eval "/usr/bin/time -f %M -o $work/rss env -u TZ $(import_command "$work/minutes10000000.csv")" 2>/dev/null

python3 - "$work" <<'PY'
import json, os, sys
work = sys.argv[1]
def means(name):
    return {r["command"]: r["mean"] for r in json.load(open(f"{work}/{name}"))["results"]}
short, long = means("import.json"), means("long.json")
size = os.path.getsize(f"{work}/minutes10000000.csv")
peak = int(open(f"{work}/rss").read().split()[-1]) * 1024
figures = [
    ("import TZ=UTC / reference TZ=UTC", short["tickora-cli, TZ=UTC"] / short["reference, TZ=UTC"], 1.2),
    ("import TZ unset / reference TZ=UTC", short["tickora-cli, TZ unset"] / short["reference, TZ=UTC"], 1.3),
    ("10M lines / 1M lines", long["10M lines"] / long["1M lines"], 11.0),
    ("10M lines peak memory / file size", peak / size, 3.0),
]
failed = False
for name, ratio, limit in figures:
    ok = ratio <= limit
    failed |= not ok
    print(f"{name:40s} {ratio:6.2f}  (limit {limit:g})  {'ok' if ok else 'TOO SLOW'}")
print(f"1M lines {long['1M lines']:.2f} s, 10M lines {long['10M lines']:.2f} s; "
      f"10M peak {peak / 1048576:.0f} MB for a file of {size / 1048576:.0f} MB")
sys.exit(1 if failed else 0)
PY
