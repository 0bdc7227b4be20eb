#!/usr/bin/python3
"""A small HTTP and HTTPS server on 127.0.0.1 for the download tests (standard library only).

Writes "<http port> <https port>" to --port-file once both listen (the HTTPS port only with --cert and
--key). Ends by itself when its parent process is gone or after --max-life seconds.

Routes:
  /page.html, /page.html?...   a page with Content-Length
  /chunked.html                 the same page, chunked
  /close.html                   the same page, HTTP/1.0, ended by closing the connection
  /empty.html                   an empty page
  /headers                      the request's headers as the body
  /redirect301, /redirect302    redirects to /page.html
  /missing                      404
  /slow                         a large body sent slowly, with Content-Length
  /stall                        a first block, then nothing until the client goes away
  /huge                         an endless body without Content-Length
  /trickle                      2 bytes a second, never stalling, until the client goes away
  /dir/                         a page at a folder URL
HEAD requests (the enclosure facts):
  /media.mp3                    Content-Length 123456 and Content-Type "audio/mpeg; charset=binary"
  /untold.mp3                   neither Content-Length nor Content-Type
  /redirect-media               a redirect to /media.mp3
  /redirect-ftp                 a redirect to an ftp URL
  anything else                 404
"""
import argparse
import http.server
import os
import socketserver
import ssl
import sys
import time

from supervise import serve_in_threads, wait_for_hangup

PAGE = ("<html><head><title>テスト</title></head><body><p>本文です。</p></body></html>\n" * 3).encode("utf-8")


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, fmt, *args):
        pass

    def send_page(self, body, content_type="text/html; charset=utf-8"):
        self.send_response(200)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        path = self.path.split("?", 1)[0]
        if path in ("/page.html", "/dir/") or path.startswith("/name/"):
            self.send_page(PAGE)
        elif path == "/empty.html":
            self.send_page(b"")
        elif path == "/headers":
            self.send_page(str(self.headers).encode("latin-1"), "text/plain")
        elif path == "/chunked.html":
            self.send_response(200)
            self.send_header("Content-Type", "text/html; charset=utf-8")
            self.send_header("Transfer-Encoding", "chunked")
            self.end_headers()
            for i in range(0, len(PAGE), 50):
                part = PAGE[i:i + 50]
                self.wfile.write(b"%x\r\n%s\r\n" % (len(part), part))
            self.wfile.write(b"0\r\n\r\n")
        elif path == "/close.html":
            self.protocol_version = "HTTP/1.0"
            self.send_response(200)
            self.send_header("Content-Type", "text/html; charset=utf-8")
            self.send_header("Connection", "close")
            self.end_headers()
            self.wfile.write(PAGE)
            self.close_connection = True
        elif path in ("/redirect301", "/redirect302"):
            self.send_response(int(path[-3:]))
            self.send_header("Location", "/page.html")
            self.send_header("Content-Length", "0")
            self.end_headers()
        elif path == "/slow":
            block = b"x" * 1000
            count = 2000
            self.send_response(200)
            self.send_header("Content-Length", str(len(block) * count))
            self.end_headers()
            try:
                for _ in range(count):
                    self.wfile.write(block)
                    self.wfile.flush()
                    time.sleep(0.02)
            except OSError:
                pass
        elif path == "/stall":
            self.send_response(200)
            self.send_header("Content-Length", "100000")
            self.end_headers()
            self.wfile.write(b"y" * 500)
            self.wfile.flush()
            # Nothing more until the client hangs up (or the server's life ends).
            wait_for_hangup(self.connection)
        elif path == "/trickle":
            self.send_response(200)
            self.send_header("Content-Length", "1000000")
            self.end_headers()
            try:
                for _ in range(100000):
                    self.wfile.write(b"ab")
                    self.wfile.flush()
                    time.sleep(1)
            except OSError:
                pass
        elif path == "/huge":
            self.protocol_version = "HTTP/1.0"
            self.send_response(200)
            self.end_headers()
            try:
                for _ in range(100000):
                    self.wfile.write(b"z" * 65536)
            except OSError:
                pass
            self.close_connection = True
        else:
            body = b"<html><body>Not Found</body></html>"
            self.send_response(404)
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)


    def do_HEAD(self):
        path = self.path.split("?", 1)[0]
        if path == "/media.mp3":
            self.send_response(200)
            self.send_header("Content-Type", "audio/mpeg; charset=binary")
            self.send_header("Content-Length", "123456")
        elif path == "/untold.mp3":
            self.send_response(200)
        elif path in ("/redirect-media", "/redirect-ftp"):
            self.send_response(302)
            self.send_header("Location", "/media.mp3" if path == "/redirect-media" else "ftp://127.0.0.1/media.mp3")
            self.send_header("Content-Length", "0")
        else:
            self.send_response(404)
            self.send_header("Content-Length", "0")
        self.end_headers()


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
    allow_reuse_address = True


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--port-file", required=True)
    p.add_argument("--cert", default="")
    p.add_argument("--key", default="")
    p.add_argument("--max-life", type=float, default=900)
    a = p.parse_args()
    parent = os.getppid()

    servers = [Server(("127.0.0.1", 0), Handler)]
    if a.cert:
        tls = Server(("127.0.0.1", 0), Handler)
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(a.cert, a.key)
        tls.socket = context.wrap_socket(tls.socket, server_side=True)
        servers.append(tls)
    serve_in_threads(servers, a.port_file, a.max_life, parent)


if __name__ == "__main__":
    sys.exit(main())
