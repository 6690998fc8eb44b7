#!/usr/bin/env bash
# Unattended update against a local nginx, compared with curl fetching the same pages in parallel.
# Prints wall-time ratios (tickora-cli update / curl) and the peak memory for two portfolio sizes.
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

mkdir -p "$work/html" "$work/logs"
for i in $(seq 1 500); do
  { printf '<html><body><h1>Item %d</h1><p>Price %d.%02d EUR</p>' "$i" "$i" $((i % 100))
    head -c 2900 /dev/zero | tr '\0' 'x'; printf '</body></html>\n'; } > "$work/html/p$i.html"
done

echo_module=/usr/lib/nginx/modules/ngx_http_echo_module.so
cat > "$work/nginx.conf" <<CONF
load_module $echo_module;
daemon off;
worker_processes 1;
pid $work/nginx.pid;
error_log $work/logs/error.log;
events { worker_connections 1024; }
http {
  access_log off;
  client_body_temp_path $work/tmp_body;
  proxy_temp_path $work/tmp_proxy;
  fastcgi_temp_path $work/tmp_fastcgi;
  uwsgi_temp_path $work/tmp_uwsgi;
  scgi_temp_path $work/tmp_scgi;
  server {
    listen 127.0.0.1:$port;
    root $work/html;
    location ~ ^/slow/(.*)$ {
      echo_sleep 0.05;
      echo_exec /\$1;
    }
  }
}
CONF
nginx -p "$work" -c "$work/nginx.conf" &
nginx_pid=$!
for _ in $(seq 1 50); do
  curl -s -o /dev/null "http://127.0.0.1:$port/p1.html" && break
  sleep 0.1
done

# A portfolio of N items, item i on page PREFIX/p$i.html.
make_portfolio() {
  local file=$1 count=$2 prefix=$3
  "$cli" new "$file" >/dev/null
  python3 - "$cli" "$file" "$count" "http://127.0.0.1:$port$prefix" <<'PY'
import subprocess, sys
cli, file, count, base = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4]
for i in range(1, count + 1):
    subprocess.run([cli, "add", file, "--name", "Item %d" % i, "--url", "%s/p%d.html" % (base, i),
                    "--start", "Price", "--format", "0", "--separators", " 9999.99", "--timeout", "30"],
                   check=True, stdout=subprocess.DEVNULL)
PY
}

seconds() { python3 -c 'import time; print(time.monotonic())'; }

# Wall time of the command, in seconds.
timed() {
  local start end
  start=$(seconds)
  "$@" >/dev/null 2>&1 || true
  end=$(seconds)
  python3 -c "print($end - $start)"
}

compare() {
  local label=$1 count=$2 prefix=$3
  make_portfolio "$work/$label.tkr" "$count" "$prefix"
  : > "$work/$label.urls"
  for i in $(seq 1 "$count"); do
    printf 'url = "http://127.0.0.1:%s%s/p%d.html"\noutput = "/dev/null"\n' "$port" "$prefix" "$i" >> "$work/$label.urls"
  done
  local curl_time cli_time
  curl_time=$(timed curl --no-progress-meter -Z --parallel-max 8 -K "$work/$label.urls")
  cli_time=$(timed "$cli" update "$work/$label.tkr" --downloads 8 --quiet)
  python3 -c "print('%-28s curl %.2fs  tickora-cli %.2fs  ratio %.2f' % ('$label', $curl_time, $cli_time, $cli_time / $curl_time))"
}

peak_memory() {
  local count=$1
  make_portfolio "$work/mem$count.tkr" "$count" ""
  /usr/bin/env python3 - "$cli" "$work/mem$count.tkr" <<'PY'
import resource, subprocess, sys
subprocess.run([sys.argv[1], "update", sys.argv[2], "--downloads", "8", "--quiet"], stdout=subprocess.DEVNULL)
print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)
PY
}

compare "500 items, 500 pages" 500 ""
compare "200 items, 50 ms per page" 200 "/slow"
small=$(peak_memory 100)
large=$(peak_memory 500)
python3 -c "print('peak memory: 100 items %d KB, 500 items %d KB, ratio %.2f' % ($small, $large, $large / $small))"
