#!/usr/bin/env python3
"""The HTTP server the link checker's tests and bench talk to, on 127.0.0.1 only.

link_server.py [--ports N] [--delay MS] [--lifetime S] [--port-file FILE] [--background]
link_server.py --port-file FILE --stop

Listens on N ephemeral ports (default 1) and prints one line, also written to
FILE when given: a port nothing listens on, then the listening ports. Every
answer waits MS milliseconds first (default 0; `?delay=MS` for one request).
With --background it returns once FILE is written and serves on its own. It
always ends after S seconds (default 120) or at a GET of /quit (--stop),
and then removes FILE.

The paths: /ok and /login 200; /moved 301 and /permanent 308 to /ok;
/temporary 307 and /see-other 303 to /ok; /account 302 to /login; /moved-on
301 to /account#top; /loop redirects to itself; /404, /410, /429, /500,
/503 that status; /head405, /head404 and /head403 that status to HEAD, 200
to GET; /ftp 302 to an ftp:// address; /slow answers after 20 s; /malformed
a status line that is not HTTP; /agent 200 when the User-Agent starts
"Linkhive/", else 400; /cookie 302 to /private with a cookie for /cookie
only; /cookie-loop 302 to itself setting a cookie until the request carries
it, then 200; /private 400 when the request carries a cookie or
credentials, else 200. Anything else is 404.
"""

import argparse
import http.server
import os
import socket
import sys
import threading
import time
import urllib.parse
import urllib.request

REDIRECTS = {
    "/moved": (301, "/ok"),
    "/permanent": (308, "/ok"),
    "/temporary": (307, "/ok"),
    "/see-other": (303, "/ok"),
    "/account": (302, "/login"),
    "/moved-on": (301, "/account#top"),
    "/loop": (302, "/loop"),
    "/ftp": (302, "ftp://127.0.0.1/file"),
    "/cookie": (302, "/private"),
}
HEAD_ONLY = {"/head405": 405, "/head404": 404, "/head403": 403}
STATUSES = {"/ok": 200, "/login": 200, "/404": 404, "/410": 410, "/429": 429, "/500": 500, "/503": 503}
SLOW_SECONDS = 20


class Handler(http.server.BaseHTTPRequestHandler):
    delay_ms = 0

    def do_HEAD(self):
        self.answer(head=True)

    def do_GET(self):
        self.answer(head=False)

    def answer(self, head):
        path, _, query = self.path.partition("?")
        delay = urllib.parse.parse_qs(query).get("delay", [self.delay_ms])[0]
        time.sleep(int(delay) / 1000)
        if path == "/quit":
            self.reply(200)
            threading.Thread(target=stop_all, daemon=True).start()
        elif path == "/malformed":
            self.wfile.write(b"NOT-HTTP garbage\r\n\r\n")
            self.close_connection = True
        elif path == "/slow":
            time.sleep(SLOW_SECONDS)
            self.reply(200)
        elif path in REDIRECTS:
            status, location = REDIRECTS[path]
            headers = {"Location": location}
            if path == "/cookie":
                headers["Set-Cookie"] = "session=1; Path=/cookie"
            self.reply(status, headers)
        elif path == "/cookie-loop":
            if "visited=1" in self.headers.get("Cookie", ""):
                self.reply(200)
            else:
                self.reply(302, {"Location": path, "Set-Cookie": "visited=1"})
        elif path in HEAD_ONLY:
            self.reply(HEAD_ONLY[path] if head else 200)
        elif path == "/agent":
            self.reply(200 if self.headers.get("User-Agent", "").startswith("Linkhive/") else 400)
        elif path == "/private":
            carried = "Cookie" in self.headers or "Authorization" in self.headers
            self.reply(400 if carried else 200)
        else:
            self.reply(STATUSES.get(path, 404))

    def reply(self, status, headers=None):
        body = b"<html><body>%d</body></html>\n" % status
        self.send_response(status)
        for name, value in (headers or {}).items():
            self.send_header(name, value)
        self.send_header("Content-Type", "text/html")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if self.command != "HEAD":
            self.wfile.write(body)

    def log_message(self, *args):
        pass


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True
    request_queue_size = 128


servers = []


def stop_all():
    for server in servers:
        server.shutdown()


def closed_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def remove_if_mine(port_file, line):
    """A server that ends late must not take away the file of the next run's."""
    try:
        with open(port_file) as f:
            if f.read().strip() == line:
                os.remove(port_file)
    except OSError:
        pass


def stop(port_file):
    try:
        with open(port_file) as f:
            line = f.read().strip()
    except OSError:
        return  # ended already
    direct = urllib.request.build_opener(urllib.request.ProxyHandler({}))
    direct.open("http://127.0.0.1:%s/quit" % line.split()[1], timeout=5).read()
    remove_if_mine(port_file, line)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--ports", type=int, default=1)
    parser.add_argument("--delay", type=int, default=0)
    parser.add_argument("--lifetime", type=float, default=120)
    parser.add_argument("--port-file")
    parser.add_argument("--background", action="store_true")
    parser.add_argument("--stop", action="store_true")
    args = parser.parse_args()
    if args.stop:
        stop(args.port_file)
        return
    Handler.delay_ms = args.delay
    servers.extend(Server(("127.0.0.1", 0), Handler) for _ in range(args.ports))
    line = " ".join(str(port) for port in [closed_port()] + [s.server_address[1] for s in servers])
    if args.port_file:
        with open(args.port_file + ".new", "w") as f:
            f.write(line + "\n")
        os.replace(args.port_file + ".new", args.port_file)
    print(line, flush=True)
    if args.background:
        # The sockets listen already; the caller (a CTest fixture) must not
        # wait for the output it reads to end.
        if os.fork() != 0:
            os._exit(0)
        os.setsid()
        null = os.open(os.devnull, os.O_RDWR)
        for fd in (0, 1, 2):
            os.dup2(null, fd)
    threading.Timer(args.lifetime, stop_all).start()
    threads = [threading.Thread(target=s.serve_forever) for s in servers]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    if args.port_file:
        remove_if_mine(args.port_file, line)
    os._exit(0)


if __name__ == "__main__":
    main()
