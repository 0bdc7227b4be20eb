#!/usr/bin/python3
"""A real FTP server on 127.0.0.1 for the transfer tests (pyftpdlib).

Serves one virtual user whose root is --root. Writes the listening port to --port-file once it
listens, logs every command (the password hidden) to --log, and ends by itself when its parent
process is gone or after --max-life seconds.
"""
import argparse
import logging
import os
import sys
import time

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import DTPHandler, FTPHandler
from pyftpdlib.log import logger
from pyftpdlib.servers import FTPServer

from supervise import alive, publish_ports


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--root", required=True)
    p.add_argument("--port-file", required=True)
    p.add_argument("--log", required=True)
    p.add_argument("--user", default="alice")
    p.add_argument("--password", default="secret")
    p.add_argument("--home", default="", help="login folder below the root, e.g. /home/alice")
    p.add_argument("--read-only", action="store_true", help="refuse every upload")
    p.add_argument("--no-enter", action="append", default=[], help="folder (below the root) that CWD refuses")
    p.add_argument("--quota", type=int, default=-1, help="cut uploads off after this many bytes")
    p.add_argument("--idle-timeout", type=float, default=300, help="drop a control connection idle this long")
    p.add_argument("--passive-ports", default="", help="lo-hi")
    p.add_argument("--max-life", type=float, default=900)
    a = p.parse_args()

    log = open(a.log, "a", buffering=1)
    # pyftpdlib's own messages go to a file beside the command log, not to the test's output.
    handler = logging.FileHandler(a.log + ".server")
    handler.setFormatter(logging.Formatter("%(message)s"))
    logger.addHandler(handler)
    logger.setLevel(logging.INFO)
    logger.propagate = False
    parent = os.getppid()

    class QuotaDTP(DTPHandler):
        """Cuts an upload off once it passes the quota, as a full disk or a user quota would."""

        def handle_read(self):
            super().handle_read()
            if a.quota >= 0 and self.receive and self.tot_bytes_received > a.quota and not self._closed:
                self._resp = ("552 Disk quota exceeded; transfer aborted.", logger.info)
                self.close()

        handle_read_event = handle_read

    class Handler(FTPHandler):
        dtp_handler = QuotaDTP
        timeout = a.idle_timeout
        auth_failed_timeout = 0.1
        banner = "test server ready."

        def on_connect(self):
            log.write("CONNECT\n")

        def on_disconnect(self):
            log.write("DISCONNECT\n")

        def on_login(self, username):
            if a.home:
                self.fs.cwd = a.home

        def pre_process_command(self, line, cmd, arg):
            log.write(("PASS ****" if cmd == "PASS" else line) + "\n")
            super().pre_process_command(line, cmd, arg)

        def on_file_received(self, file):
            log.write("RECEIVED " + os.path.relpath(file, a.root) + "\n")

        def on_incomplete_file_received(self, file):
            log.write("INCOMPLETE " + os.path.relpath(file, a.root) + "\n")

    auth = DummyAuthorizer()
    auth.add_user(a.user, a.password, a.root, perm="elr" if a.read_only else "elradfmwMT")
    for folder in a.no_enter:
        auth.override_perm(a.user, os.path.join(a.root, folder.strip("/")), "lr", recursive=True)
    Handler.authorizer = auth
    if a.passive_ports:
        lo, hi = (int(x) for x in a.passive_ports.split("-"))
        Handler.passive_ports = list(range(lo, hi + 1))

    server = FTPServer(("127.0.0.1", 0), Handler)
    port = server.address[1]
    publish_ports(a.port_file, [port])

    start = time.monotonic()
    while alive(start, a.max_life, parent):
        server.ioloop.loop(0.2, blocking=False)
        time.sleep(0.01)
    server.close_all()


if __name__ == "__main__":
    sys.exit(main())
