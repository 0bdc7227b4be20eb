"""What the harness's wrappers around real servers share: a free port, and the supervision of a started
server (wait for its greeting, publish the port, stop the whole process group when terminated, when
the parent is gone, or after a time limit)."""
import os
import signal
import socket
import sys
import time


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def supervise(server, port, greeted, port_file, max_life, parent):
    """Runs until the server ends or must stop. `greeted(sock)` reads the server's first bytes and says
    whether they are its greeting. Returns 1 when the server never greeted within 20 seconds."""

    def stop(*_):
        try:
            os.killpg(server.pid, signal.SIGTERM)
        except OSError:
            pass
        server.wait(timeout=10)
        sys.exit(0)

    signal.signal(signal.SIGTERM, stop)

    start = time.monotonic()
    while True:
        if server.poll() is not None or time.monotonic() - start > 20:
            return 1
        try:
            with socket.create_connection(("127.0.0.1", port), timeout=1) as s:
                if greeted(s):
                    break
        except OSError:
            time.sleep(0.05)

    tmp = port_file + ".tmp"
    with open(tmp, "w") as f:
        f.write(str(port))
    os.rename(tmp, port_file)

    while time.monotonic() - start < max_life and os.getppid() == parent and server.poll() is None:
        time.sleep(0.2)
    stop()
