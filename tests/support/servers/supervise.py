"""What the harness's servers share: a free port, the port file, the lifetime (until the parent is gone
or a time limit), and the supervision of a started server program (wait for its greeting, publish the
port, stop the whole process group when terminated)."""
import os
import signal
import socket
import sys
import threading
import time


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def publish_ports(port_file, ports):
    """Writes the ports, space-separated, so that a reader never sees half of them."""
    tmp = port_file + ".tmp"
    with open(tmp, "w") as f:
        f.write(" ".join(str(p) for p in ports))
    os.rename(tmp, port_file)


def alive(start, max_life, parent):
    """True while the server may go on: its parent is there and its time is not up."""
    return time.monotonic() - start < max_life and os.getppid() == parent


def serve_in_threads(servers, port_file, max_life, parent):
    """Runs socketserver servers in threads and publishes their ports until the server must stop."""
    for s in servers:
        threading.Thread(target=s.serve_forever, daemon=True).start()
    publish_ports(port_file, [s.server_address[1] for s in servers])
    start = time.monotonic()
    while alive(start, max_life, parent):
        time.sleep(0.2)


def wait_for_hangup(connection, limit=120):
    """Reads nothing and answers nothing until the client closes the connection (or `limit` seconds)."""
    connection.settimeout(1)
    start = time.monotonic()
    while time.monotonic() - start < limit:
        try:
            if connection.recv(1) == b"":
                return
        except socket.timeout:
            continue
        except OSError:
            return


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

    publish_ports(port_file, [port])
    while alive(start, max_life, parent) and server.poll() is None:
        time.sleep(0.2)
    stop()
