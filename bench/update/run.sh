#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Unattended update against a local nginx, compared with curl fetching the same pages in parallel, both timed
# as whole processes by hyperfine -N. Prints three figures: the time ratio for 500 pages, the ratio for 200 pages
# that the server delays by 50 ms each, and the peak memory of 5,000 items against 500; and, without a limit, what
# Qt programs that only fetch the 500 pages take against curl.
set -euo pipefail
build_dir=$(cd "${1:-build-bench}" && pwd)
cli="$build_dir/src/cli/tickora-cli"
make_portfolio="$build_dir/bench/update/bench_update_make"
qt_floor="$build_dir/bench/update/bench_update_qt_floor"
source "$(dirname "$0")/../local-pages.sh"
serve_pages 5000

# A portfolio of COUNT items on the pages PREFIX/p<i>.html, and curl's list of the same addresses.
prepare() {
  local label=$1 count=$2 prefix=$3
  "$make_portfolio" "$count" "http://127.0.0.1:$port$prefix" "$work/$label.tkr"
  for i in $(seq 1 "$count"); do
    printf 'url = "http://127.0.0.1:%s%s/p%d.html"\noutput = "/dev/null"\n' "$port" "$prefix" "$i"
  done > "$work/$label.urls"
}

# Times both commands in one hyperfine run; each update starts from the untouched portfolio.
compare() {
  local label=$1 limit=$2
  hyperfine -N --warmup 1 --runs 10 --style basic --export-json "$work/$label.json" \
    --prepare "cp $work/$label.tkr $work/run.tkr" \
    -n tickora-cli "$cli update $work/run.tkr --downloads 8 --per-host 8 --quiet" \
    -n curl "curl --no-progress-meter -Z --parallel-max 8 -K $work/$label.urls" | grep -E '^(Benchmark|  Time)'
  python3 - "$work/$label.json" "$label" "$limit" <<'PY'
import json, sys
runs = {r["command"]: r["mean"] for r in json.load(open(sys.argv[1]))["results"]}
ratio = runs["tickora-cli"] / runs["curl"]
print("%-32s tickora-cli %.3f s  curl %.3f s  ratio %.2f (at most %s)" % (sys.argv[2], runs["tickora-cli"], runs["curl"], ratio, sys.argv[3]))
PY
}

# For reading the ratio, not a limit: Qt programs that only fetch the 500 pages, on 8 threads as the update does and
# on one thread with a multi handle as curl does, against curl in the same run.
floors() {
  hyperfine -N --warmup 1 --runs 10 --style basic --export-json "$work/floors.json" \
    -n curl "curl --no-progress-meter -Z --parallel-max 8 -K $work/pages500.urls" \
    -n "Qt, 8 threads" "$qt_floor threads http://127.0.0.1:$port 500" \
    -n "Qt, one multi handle" "$qt_floor multi http://127.0.0.1:$port 500" | grep -E '^(Benchmark|  Time)'
  python3 - "$work/floors.json" <<'PY'
import json, sys
runs = {r["command"]: r["mean"] for r in json.load(open(sys.argv[1]))["results"]}
for name in ("Qt, 8 threads", "Qt, one multi handle"):
    print("floor %-26s %.3f s  / curl %.2f (no limit)" % (name, runs[name], runs[name] / runs["curl"]))
PY
}

peak_kb() {
  cp "$work/$1.tkr" "$work/run.tkr"
  /usr/bin/time -f %M -o "$work/rss" "$cli" update "$work/run.tkr" --downloads 8 --per-host 8 --quiet >/dev/null || true
  cat "$work/rss"
}

prepare pages500 500 ""
prepare slow200 200 "/slow"
prepare pages5000 5000 ""
compare pages500 1.1
floors
compare slow200 1.05
small=$(peak_kb pages500)
large=$(peak_kb pages5000)
python3 -c "print('peak memory: 500 items %d KB, 5000 items %d KB, ratio %.2f (at most 1.5)' % ($small, $large, $large / $small))"
