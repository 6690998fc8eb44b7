#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Local HTTP and HTTPS server for the download tests.

Serves the files of --root and a few special paths:
  /status/<code>                 answers with that status
  /redirect?to=<url>             302 to the given address
  /slow?bytes=N&chunk=C&interval=S[&prefix=P]   P and then N bytes, C at a time, S seconds apart
  /large?bytes=N                 N bytes as fast as possible
  /headers                       the request's header lines as the body
  /busy/<name>?code=C&refusals=N[&after=A...]   the first N requests of that address answer C
                                 (with one "Retry-After: A" per given A), later ones "Price 12.5"
  /gzip?text=T[&cut=K]           T, gzip-encoded when the client accepts gzip; without its last K bytes
  /damaged                       bytes that claim to be gzip and are not
  /short?bytes=N                 announces 2N bytes, sends N and closes the connection
  /http09                        a page without status line or headers
  /gzipbomb?bytes=N              N zero bytes, gzip-encoded
  /dripheaders?interval=S        the answer's header lines, two bytes every S seconds
  /reset-stats                   starts the highest counts anew
Any request may add delay=S to wait before answering. After every request the file
<root>/_stats.json holds the paths requested so far, the highest number of requests
served at the same time (overall and per first path segment), the connections opened
and the most open at once. A third port accepts connections and never answers (a TLS
handshake that never ends); a fourth serves the same as the first on 127.0.0.2, another
origin. Prints "PORTS <http> <https> <silent> <other>" once all listen.
"""
import gzip
import socket
import argparse
import http.server
import json
import os
import ssl
import sys
import threading
import time
import urllib.parse

lock = threading.Lock()
state = {"active": 0, "max_active": 0, "requests": [], "active_in": {}, "max_active_in": {},
         "open": 0, "max_open": 0, "connections": 0, "refused": {}}
bombs = {}


def write_stats(root):
    path = os.path.join(root, "_stats.json")
    with open(path + ".part", "w") as out:
        json.dump({"max_active": state["max_active"], "max_active_in": state["max_active_in"],
                   "requests": state["requests"], "connections": state["connections"],
                   "max_open": state["max_open"]}, out)
    os.replace(path + ".part", path)


def make_handler(root):
    class Handler(http.server.BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"

        def log_message(self, *args):
            pass

        def setup(self):
            super().setup()
            with lock:
                state["open"] += 1
                state["connections"] += 1
                state["max_open"] = max(state["max_open"], state["open"])
                write_stats(root)

        def finish(self):
            try:
                super().finish()
            finally:
                with lock:
                    state["open"] -= 1
                    write_stats(root)

        def do_GET(self):
            folder = "/" + self.path.lstrip("/").split("/")[0].split("?")[0]
            with lock:
                state["active"] += 1
                state["max_active"] = max(state["max_active"], state["active"])
                state["active_in"][folder] = state["active_in"].get(folder, 0) + 1
                state["max_active_in"][folder] = max(state["max_active_in"].get(folder, 0),
                                                     state["active_in"][folder])
                state["requests"].append(self.path)
                write_stats(root)
            try:
                self.route()
            except (BrokenPipeError, ConnectionResetError, ssl.SSLError):
                pass
            finally:
                with lock:
                    state["active"] -= 1
                    state["active_in"][folder] -= 1
                    write_stats(root)

        def answer(self, code, body, extra=()):
            self.send_response(code)
            self.send_header("Content-Type", "text/html")
            self.send_header("Content-Length", str(len(body)))
            for name, value in extra:
                self.send_header(name, value)
            self.end_headers()
            self.wfile.write(body)

        def route(self):
            parsed = urllib.parse.urlparse(self.path)
            query = {k: v[0] for k, v in urllib.parse.parse_qs(parsed.query).items()}
            if "delay" in query:
                time.sleep(float(query["delay"]))
            path = parsed.path
            if path == "/reset-stats":
                with lock:
                    state["max_open"] = state["open"]
                    state["max_active"] = state["active"]
                    state["max_active_in"] = dict(state["active_in"])
                self.answer(200, b"reset")
            elif path.startswith("/busy/"):
                self.busy(query)
            elif path == "/gzip":
                self.send_gzip(query["text"].encode(), int(query.get("cut", 0)))
            elif path == "/damaged":
                self.answer(200, b"\x1f\x8b\x08\x00" + b"not gzip at all" * 20, [("Content-Encoding", "gzip")])
            elif path == "/short":
                size = int(query["bytes"])
                self.send_response(200)
                self.send_header("Content-Length", str(2 * size))
                self.end_headers()
                self.wfile.write(b"Price 3.5 " + b"x" * size)
                self.close_connection = True
            elif path == "/http09":
                self.wfile.write(b"Price 1.5\n")
                self.close_connection = True
            elif path == "/gzipbomb":
                size = int(query["bytes"])
                if size not in bombs:
                    bombs[size] = gzip.compress(b"\0" * size, 9)
                self.answer(200, bombs[size], [("Content-Encoding", "gzip")])
            elif path == "/dripheaders":
                self.drip_headers(float(query["interval"]))
            elif path.startswith("/status/"):
                self.answer(int(path[len("/status/"):]), b"<html>status page</html>")
            elif path == "/redirect":
                self.answer(302, b"", [("Location", query["to"])])
            elif path == "/headers":
                self.answer(200, str(self.headers).encode())
            elif path == "/slow":
                self.send_slowly(int(query["bytes"]), int(query.get("chunk", 100)), float(query["interval"]),
                                 query.get("prefix", "").encode())
            elif path == "/large":
                self.send_large(int(query["bytes"]))
            else:
                self.send_file(path)

        def busy(self, query):
            with lock:
                count = state["refused"].get(self.path, 0) + 1
                state["refused"][self.path] = count
            if count > int(query["refusals"]):
                self.answer(200, b"<html>Price 12.5</html>")
                return
            afters = urllib.parse.parse_qs(urllib.parse.urlparse(self.path).query).get("after", [])
            self.answer(int(query["code"]), b"<html>busy</html>", [("Retry-After", a) for a in afters])

        def send_gzip(self, text, cut):
            if "gzip" in self.headers.get("Accept-Encoding", ""):
                packed = gzip.compress(text)
                self.answer(200, packed[:len(packed) - cut], [("Content-Encoding", "gzip")])
            else:
                self.answer(200, text)

        def drip_headers(self, interval):
            head = b"HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nX-Filler: " + b"x" * 200 + b"\r\n\r\n"
            for i in range(0, len(head), 2):
                self.wfile.write(head[i:i + 2])
                self.wfile.flush()
                time.sleep(interval)

        def send_slowly(self, total, chunk, interval, prefix):
            self.send_response(200)
            self.send_header("Content-Length", str(len(prefix) + total))
            self.end_headers()
            self.wfile.write(prefix)
            sent = 0
            while sent < total:
                piece = min(chunk, total - sent)
                self.wfile.write(b"7" * piece)
                self.wfile.flush()
                sent += piece
                time.sleep(interval)

        def send_large(self, total):
            self.send_response(200)
            self.send_header("Content-Length", str(total))
            self.end_headers()
            block = b"<p>1234</p>" * 6000
            sent = 0
            while sent < total:
                piece = block[: total - sent]
                self.wfile.write(piece)
                sent += len(piece)

        def send_file(self, path):
            name = os.path.normpath(urllib.parse.unquote(path)).lstrip("/")
            full = os.path.join(root, name)
            if name.startswith("..") or not os.path.isfile(full):
                self.answer(404, b"<html>not found</html>")
                return
            with open(full, "rb") as page:
                self.answer(200, page.read())

    return Handler


def serve(server):
    server.serve_forever()


def hold_connections(listener):
    held = []
    while True:
        connection, _ = listener.accept()
        held.append(connection)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--cert")
    parser.add_argument("--key")
    args = parser.parse_args()
    handler = make_handler(args.root)
    plain = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    plain.daemon_threads = True
    servers = [plain]
    tls_port = 0
    if args.cert:
        secure = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        secure.daemon_threads = True
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(args.cert, args.key)
        secure.socket = context.wrap_socket(secure.socket, server_side=True)
        tls_port = secure.server_address[1]
        servers.append(secure)
    other = http.server.ThreadingHTTPServer(("127.0.0.2", 0), handler)
    other.daemon_threads = True
    servers.append(other)
    silent = socket.socket()
    silent.bind(("127.0.0.1", 0))
    silent.listen(16)
    with lock:
        write_stats(args.root)
    for server in servers:
        threading.Thread(target=serve, args=(server,), daemon=True).start()
    threading.Thread(target=hold_connections, args=(silent,), daemon=True).start()
    print("PORTS %d %d %d %d" % (plain.server_address[1], tls_port, silent.getsockname()[1],
                                 other.server_address[1]), flush=True)
    sys.stdin.read()


if __name__ == "__main__":
    main()
