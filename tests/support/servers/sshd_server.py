#!/usr/bin/python3
"""Runs OpenSSH's sshd on 127.0.0.1 for the SFTP tests.

The server runs in a mount namespace of its own (util-linux's unshare) in which /etc/passwd and
/etc/shadow are copies holding one more account, the test user with a known password. The machine's
accounts are never changed, nothing is left behind, and several servers can run at once. The test user
gets SFTP only (internal-sftp, starting in --root), by password or by a key of --authorized-keys.
Needs root. Writes the port to --port-file once the server greets, logs to --log, and stops the server
(its whole process group) when terminated, when its parent is gone, or after --max-life seconds.
"""
import argparse
import os
import subprocess
import sys
import time

from supervise import free_port, supervise


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--root", required=True, help="the folder an SFTP session starts in")
    p.add_argument("--work", required=True, help="folder for the configuration and the account files")
    p.add_argument("--host-key", required=True, help="the server's private host key")
    p.add_argument("--port-file", required=True)
    p.add_argument("--log", required=True)
    p.add_argument("--user", default="vamelsftp")
    p.add_argument("--uid", type=int, required=True, help="a uid that no account of the machine uses")
    p.add_argument("--password", default="secret")
    p.add_argument("--authorized-keys", default="none", help="public keys the test user may log in with")
    p.add_argument("--max-life", type=float, default=900)
    a = p.parse_args()
    parent = os.getppid()

    # The account files of the namespace: the machine's own (sshd's privilege separation user is
    # there) and the test user, in the group nogroup, whose password expires never.
    hashed = subprocess.run(["openssl", "passwd", "-6", "-salt", "vamelrss", "-stdin"], input=a.password,
                            check=True, capture_output=True, text=True).stdout.strip()
    passwd = os.path.join(a.work, "sshd.passwd")
    shadow = os.path.join(a.work, "sshd.shadow")
    with open("/etc/passwd") as f:
        lines = f.read()
    with open(passwd, "w") as f:
        f.write(lines.rstrip("\n") + "\n%s:x:%d:65534:VamelRss SFTP test:%s:/usr/sbin/nologin\n"
                % (a.user, a.uid, a.root))
    with open("/etc/shadow") as f:
        lines = f.read()
    days = int(time.time() // 86400)
    with open(os.open(shadow, os.O_WRONLY | os.O_CREAT | os.O_TRUNC, 0o600), "w") as f:
        f.write(lines.rstrip("\n") + "\n%s:%s:%d:0:99999:7:::\n" % (a.user, hashed, days))

    port = free_port()
    config = os.path.join(a.work, "sshd_config")
    with open(config, "w") as f:
        f.write("\n".join([
            "ListenAddress 127.0.0.1:%d" % port,
            "HostKey %s" % a.host_key,
            "PidFile none",
            "UsePAM no",
            "StrictModes no",
            "PermitRootLogin no",
            "AllowUsers %s" % a.user,
            "PasswordAuthentication yes",
            "PermitEmptyPasswords no",
            "KbdInteractiveAuthentication no",
            "PubkeyAuthentication yes",
            "AuthorizedKeysFile %s" % a.authorized_keys,
            "Subsystem sftp internal-sftp",
            "ForceCommand internal-sftp -d %s" % a.root,
            "AllowTcpForwarding no",
            "AllowAgentForwarding no",
            "X11Forwarding no",
            "PermitTTY no",
            "PrintMotd no",
            "LoginGraceTime 30",
            "LogLevel VERBOSE",
            "",
        ]))

    # sshd's privilege separation folder, as the package's start-up would make it.
    os.makedirs("/run/sshd", mode=0o755, exist_ok=True)
    script = 'mount --bind "$1" /etc/passwd && mount --bind "$2" /etc/shadow && exec /usr/sbin/sshd -D -E "$4" -f "$3"'
    server = subprocess.Popen(["unshare", "--mount", "--propagation", "private", "sh", "-c", script, "sh",
                               passwd, shadow, config, a.log],
                              start_new_session=True, stdout=subprocess.DEVNULL, stderr=open(a.log + ".err", "w"))

    return supervise(server, port, lambda s: s.recv(8).startswith(b"SSH-2.0"), a.port_file, a.max_life, parent)


if __name__ == "__main__":
    sys.exit(main())
