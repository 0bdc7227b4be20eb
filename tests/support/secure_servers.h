// What the tests of publishing over TLS and SFTP make for their servers: a certificate authority and a
// server certificate (openssl), SSH keys (ssh-keygen), a uid that no account uses.
#pragma once

#include <string>

// Files made by MakeTlsCertificates in its folder.
struct CTlsFiles {
  std::string caCert;      // the test authority's certificate (PEM): what a client must trust
  std::string serverPem;   // the server's certificate for 127.0.0.1, and its key (PEM)
};

// A new authority and a certificate for the address 127.0.0.1 signed by it, valid for two days. False
// with openssl's output in `error` when openssl fails.
bool MakeTlsCertificates(const std::string& folder, CTlsFiles& files, std::string& error);

// A new Ed25519 key pair without a passphrase: `path` and `path`.pub.
bool MakeSshKey(const std::string& path, const std::string& comment = "vamelrss-test");

// "ssh-ed25519 AAAA..." of a public key file: its type and key, without the comment.
std::string SshPublicKey(const std::string& pubPath);

// "SHA256:..." of a public key file as ssh-keygen shows it.
std::string SshFingerprint(const std::string& pubPath);

// A uid from 61000 on that no account of the machine has, or -1.
int UnusedUid();
