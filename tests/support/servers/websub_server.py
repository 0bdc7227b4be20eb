#!/usr/bin/python3
"""A WebSub hub and a web site on 127.0.0.1 for the publishing tests (standard library only).

Writes its port to --port-file once it listens. Ends by itself when its parent process is gone or
after --max-life seconds.

Routes:
  POST /hub          records the form (one JSON object per line in --record), answers 204
  POST /hub500       records nothing, answers 500 Internal Server Error
  POST /hubsilent    reads the request and never answers, until the client goes away
  POST /hubmoved     307 to /hub (the POST is repeated there)
  GET  /site/NAME    the file NAME of --site (the folder the FTP server writes into)
  GET  /stale/NAME   the file NAME of --stale (what a cache in front of the site would serve)
  GET  /toftp/NAME   302 to ftp://127.0.0.1/NAME (a redirect the client must not follow)
  GET  /endless/NAME an endless body
"""
import argparse
import http.server
import json
import os
import socketserver
import sys
import urllib.parse

from supervise import serve_in_threads, wait_for_hangup


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True


def make_handler(a):
    class Handler(http.server.BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"

        def log_message(self, fmt, *args):
            pass

        def answer(self, status, body=b"", headers=()):
            self.send_response(status)
            for name, value in headers:
                self.send_header(name, value)
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)

        def do_POST(self):
            length = int(self.headers.get("Content-Length", "0"))
            form = self.rfile.read(length).decode("utf-8")
            if self.path == "/hub":
                fields = urllib.parse.parse_qs(form, keep_blank_values=True)
                record = {"path": self.path, "type": self.headers.get("Content-Type", ""), "fields": fields}
                with open(a.record, "a") as f:
                    f.write(json.dumps(record) + "\n")
                self.answer(204)
            elif self.path == "/hub500":
                self.answer(500, b"broken")
            elif self.path == "/hubmoved":
                self.answer(307, b"", [("Location", "/hub")])
            elif self.path == "/hubsilent":
                wait_for_hangup(self.connection)
                self.close_connection = True
            else:
                self.answer(404)

        def do_GET(self):
            parts = self.path.split("/", 2)
            name = parts[2] if len(parts) == 3 else ""
            if "/" in name or name in ("", ".", ".."):
                self.answer(404)
            elif parts[1] in ("site", "stale"):
                folder = a.site if parts[1] == "site" else a.stale
                try:
                    with open(os.path.join(folder, name), "rb") as f:
                        self.answer(200, f.read(), [("Content-Type", "application/xml")])
                except OSError:
                    self.answer(404)
            elif parts[1] == "toftp":
                self.answer(302, b"", [("Location", "ftp://127.0.0.1/" + name)])
            elif parts[1] == "endless":
                self.send_response(200)
                self.end_headers()
                self.close_connection = True
                try:
                    while True:
                        self.wfile.write(b"x" * 65536)
                except OSError:
                    pass
            else:
                self.answer(404)

    return Handler


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--port-file", required=True)
    p.add_argument("--record", required=True)
    p.add_argument("--site", required=True)
    p.add_argument("--stale", required=True)
    p.add_argument("--max-life", type=float, default=900)
    a = p.parse_args()
    parent = os.getppid()

    serve_in_threads([Server(("127.0.0.1", 0), make_handler(a))], a.port_file, a.max_life, parent)


if __name__ == "__main__":
    sys.exit(main())
