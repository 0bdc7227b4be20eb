#!/usr/bin/python3
"""Runs pure-ftpd (a real C FTP server) on 127.0.0.1 for the transfer tests.

One virtual user, logged in as the unprivileged uid "nobody" and chrooted into --root, so the server's
own permission checks and its quota are the real ones. Needs root (pure-ftpd changes to the user's uid).
With --tls-cert the server speaks explicit TLS and refuses every session, and every data connection,
that is not protected.
Writes the port to --port-file once the server answers, and stops the server (its whole process group)
when terminated, when its parent is gone, or after --max-life seconds.
"""
import argparse
import os
import pwd
import subprocess
import sys

from supervise import free_port, supervise


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--root", required=True)
    p.add_argument("--port-file", required=True)
    p.add_argument("--work", required=True, help="folder for the user database")
    p.add_argument("--user", default="alice")
    p.add_argument("--password", default="secret")
    p.add_argument("--quota-mb", type=int, default=0, help="virtual quota in MiB (0: none)")
    p.add_argument("--tls-cert", default="", help="PEM file with the certificate and its key: TLS only")
    p.add_argument("--no-rename", action="store_true", help="refuse every rename")
    p.add_argument("--max-life", type=float, default=900)
    a = p.parse_args()
    parent = os.getppid()

    nobody = pwd.getpwnam("nobody")
    passwd = os.path.join(a.work, "pureftpd.passwd")
    pdb = os.path.join(a.work, "pureftpd.pdb")
    subprocess.run(["pure-pw", "useradd", a.user, "-u", str(nobody.pw_uid), "-g", str(nobody.pw_gid),
                    "-d", a.root, "-f", passwd],
                   input=("%s\n%s\n" % (a.password, a.password)).encode(), check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    # pure-pw hashes with a deliberately slow Argon2 (seconds per login); a SHA-512 crypt hash, which
    # pure-ftpd accepts too, keeps the tests quick.
    fast = subprocess.run(["openssl", "passwd", "-6", "-salt", "vamelrss", "-stdin"], input=a.password,
                          check=True, capture_output=True, text=True).stdout.strip()
    with open(passwd) as f:
        fields = f.read().rstrip("\n").split(":")
    fields[1] = fast
    with open(passwd, "w") as f:
        f.write(":".join(fields) + "\n")
    subprocess.run(["pure-pw", "mkdb", pdb, "-f", passwd], check=True)

    port = free_port()
    passive = free_port()
    args = ["pure-ftpd", "-S", "127.0.0.1,%d" % port, "-l", "puredb:" + pdb, "-E", "-H",
            "-p", "%d:%d" % (passive, passive + 5)]
    if a.quota_mb:
        args += ["-n", "1000:%d" % a.quota_mb]
    if a.tls_cert:
        args += ["-Y", "3", "-2", a.tls_cert]
    if a.no_rename:
        args += ["-G"]
    server = subprocess.Popen(args, start_new_session=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    return supervise(server, port, lambda s: s.recv(3) == b"220", a.port_file, a.max_life, parent)


if __name__ == "__main__":
    sys.exit(main())
