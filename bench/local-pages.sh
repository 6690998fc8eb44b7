# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the update benchmarks. Makes a work folder ($work) with the settings file in it, a clean
# environment, and serve_pages COUNT: pages p1.html to pCOUNT.html of about 3 KB each, served by a local nginx
# on a free port ($port); /slow/PAGE serves PAGE 50 ms late. nginx and the folder go when the script exits.
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

serve_pages() {
  local count=$1 filler i
  mkdir -p "$work/html" "$work/logs"
  # nginx reads the pages as its unprivileged worker user.
  chmod 755 "$work"
  filler=$(head -c 2900 /dev/zero | tr '\0' 'x')
  for i in $(seq 1 "$count"); do
    printf '<html><body><h1>Item %d</h1><p>Price %d.%02d EUR</p>%s</body></html>\n' "$i" "$i" $((i % 100)) \
      "$filler" > "$work/html/p$i.html"
  done
  cat > "$work/nginx.conf" <<CONF
load_module /usr/lib/nginx/modules/ngx_http_echo_module.so;
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
}
