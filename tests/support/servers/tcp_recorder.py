#!/usr/bin/python3
"""A TCP relay on 127.0.0.1 that records every byte it passes, for the tests that check what crosses
the wire (a password must never be there in the clear).

Accepts connections on a free port and relays each to --target-port on 127.0.0.1, appending the bytes
of both directions to --record as they pass. Writes its port to --port-file once it listens, and ends
by itself when its parent process is gone or after --max-life seconds.
"""
import argparse
import os
import socket
import sys
import threading
import time

from supervise import alive, publish_ports


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--target-port", type=int, required=True)
    p.add_argument("--record", required=True)
    p.add_argument("--port-file", required=True)
    p.add_argument("--max-life", type=float, default=900)
    a = p.parse_args()
    parent = os.getppid()
    record = open(a.record, "ab", buffering=0)
    lock = threading.Lock()

    def pump(source, sink):
        try:
            while True:
                data = source.recv(65536)
                if not data:
                    break
                with lock:
                    record.write(data)
                sink.sendall(data)
        except OSError:
            pass
        for s in (sink, source):
            try:
                s.shutdown(socket.SHUT_RDWR)
            except OSError:
                pass

    def relay(client):
        try:
            server = socket.create_connection(("127.0.0.1", a.target_port), timeout=10)
        except OSError:
            client.close()
            return
        server.settimeout(None)
        threads = [threading.Thread(target=pump, args=(client, server), daemon=True),
                   threading.Thread(target=pump, args=(server, client), daemon=True)]
        for t in threads:
            t.start()
        for t in threads:
            t.join()
        client.close()
        server.close()

    listener = socket.socket()
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", 0))
    listener.listen(16)
    listener.settimeout(0.2)

    publish_ports(a.port_file, [listener.getsockname()[1]])

    start = time.monotonic()
    while alive(start, a.max_life, parent):
        try:
            client, _ = listener.accept()
        except socket.timeout:
            continue
        client.settimeout(None)
        threading.Thread(target=relay, args=(client,), daemon=True).start()
    return 0


if __name__ == "__main__":
    sys.exit(main())
