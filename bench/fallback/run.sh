#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# An update of 500 items whose server fails and falls back on a second one, against the same 500 items on the
# second server directly; both against a local nginx, timed side by side by hyperfine -N. Prints the ratio.
set -euo pipefail
build_dir=$(cd "${1:-build-bench}" && pwd)
cli="$build_dir/src/cli/tickora-cli"
work=$(mktemp -d)
nginx_pid=""
cleanup() {
  if [ -n "$nginx_pid" ]; then kill "$nginx_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

export TICKORA_SETTINGS="$work/settings.ini"
export TZ=UTC
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
count=500

mkdir -p "$work/html" "$work/logs"
chmod 755 "$work"
filler=$(head -c 2900 /dev/zero | tr '\0' 'x')
for i in $(seq 1 $count); do
  printf '<html><body><h1>Item %d</h1><p>Price %d.%02d EUR</p>%s</body></html>\n' "$i" "$i" $((i % 100)) "$filler" \
    > "$work/html/p$i.html"
done

cat > "$work/nginx.conf" <<CONF
daemon off;
worker_processes 1;
pid $work/nginx.pid;
error_log $work/logs/error.log;
events { worker_connections 1024; }
http {
  access_log off;
  log_not_found off;
  keepalive_requests 100000;
  client_body_temp_path $work/tmp_body;
  proxy_temp_path $work/tmp_proxy;
  fastcgi_temp_path $work/tmp_fastcgi;
  uwsgi_temp_path $work/tmp_uwsgi;
  scgi_temp_path $work/tmp_scgi;
  server {
    listen 127.0.0.1:$port;
    root $work/html;
  }
}
CONF
nginx -p "$work" -c "$work/nginx.conf" &
nginx_pid=$!
for _ in $(seq 1 50); do
  curl -s -o /dev/null "http://127.0.0.1:$port/p1.html" && break
  sleep 0.1
done

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
