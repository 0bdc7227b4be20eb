// The SSH server's host key as libcurl reports it against the user's known_hosts file, and the
// messages that tell the user what to do when it is not the key on record.
#pragma once

#include <curl/curl.h>

#include <string>

// What the host key check of an SFTP connection found. The server and the file are set before the
// connection; the rest is the check's result.
struct CHostKeyCheck {
  std::string host;        // as the user wrote it, without brackets
  int port = 22;
  std::string knownHosts;  // the known_hosts file (native path)
  bool seen = false;     // the server's key was compared with the file
  bool known = false;    // the key is the one on record for the host
  bool changed = false;  // the host is on record with a different key
  bool revoked = false;  // the file marks this key as revoked for the host
  std::string keyBlob;   // the server's key (the SSH key blob)
};

// libcurl's host key callback (CURLOPT_SSH_KEYFUNCTION, with a CHostKeyCheck as its data): looks the
// key up in the file itself, as OpenSSH does (LookUpKnownHost: the entry for "[host]:port", revoked
// keys refused), rather than by libssh2's matching; accepts the key on record and nothing else, never
// adding to or changing the file.
int CheckHostKey(CURL* curl, const curl_khkey* knownKey, const curl_khkey* foundKey, curl_khmatch match,
                 void* check) noexcept;

// `$HOME/.ssh/known_hosts` (the home folder from the password database when HOME is not set), native.
std::string KnownHostsPath();

// "ssh-ed25519 SHA256:..." for an SSH key blob: its type and its fingerprint as OpenSSH shows them.
// "" when the bytes are not a key blob.
std::string HostKeyFingerprint(const std::string& keyBlob);

// The two lines after "接続エラー:" for a key that is not on record, differs from the one on record
// (`check.changed`) or is revoked (`check.revoked`), for the server of `check`: what happened, with the
// key's fingerprint, then what to do. Internal text.
std::string HostKeyRefusal(const CHostKeyCheck& check);
