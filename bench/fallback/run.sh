#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# An update of 500 items whose server fails and falls back on a second one, against the same 500 items on the
# second server directly; both against a local nginx, timed side by side by hyperfine -N. Prints the ratio.
set -euo pipefail
build_dir=$(cd "${1:-build-bench}" && pwd)
cli="$build_dir/src/cli/tickora-cli"
source "$(dirname "$0")/../local-pages.sh"
count=500
serve_pages $count

rules=(--start Price --format 0 --separators " 9999.99" --timeout 30)
"$cli" servers set Working --url "http://127.0.0.1:$port/p[&symbol].html" "${rules[@]}"
# Every page of this server is missing (404), so each item falls back on Working.
"$cli" servers set Missing --url "http://127.0.0.1:$port/gone/p[&symbol].html" "${rules[@]}" --fallback Working

for server in Working Missing; do
  "$cli" new "$work/$server.tkr"
  for i in $(seq 1 $count); do
    "$cli" add "$work/$server.tkr" --name "Item $i" --symbol "$i" --server "$server"
  done
done

hyperfine -N --warmup 1 --runs 10 --style basic --export-json "$work/fallback.json" \
  --prepare "cp $work/Working.tkr $work/run-working.tkr" \
  -n direct "$cli update $work/run-working.tkr --downloads 8 --per-host 8 --quiet" \
  --prepare "cp $work/Missing.tkr $work/run-missing.tkr" \
  -n fallback "$cli update $work/run-missing.tkr --downloads 8 --per-host 8 --quiet" | grep -E '^(Benchmark|  Time)'
python3 - "$work/fallback.json" <<'PY'
import json, sys
runs = {r["command"]: r["mean"] for r in json.load(open(sys.argv[1]))["results"]}
print("fallback for 500 items            direct %.3f s  fallback %.3f s  ratio %.2f (at most 2.2)"
      % (runs["direct"], runs["fallback"], runs["fallback"] / runs["direct"]))
PY
