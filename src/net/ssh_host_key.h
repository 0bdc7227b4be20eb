// The SSH server's host key as libcurl reports it against the user's known_hosts file, and the
// messages that tell the user what to do when it is not the key on record.
#pragma once

#include <curl/curl.h>

#include <string>

// What the host key check of an SFTP connection found.
struct CHostKeyCheck {
  bool seen = false;     // the server's key was compared with the file
  bool known = false;    // the key is the one on record for the host
  bool changed = false;  // the host is on record with a different key
  std::string keyBlob;   // the server's key (the SSH key blob)
};

// libcurl's host key callback (CURLOPT_SSH_KEYFUNCTION, with a CHostKeyCheck as its data): accepts the
// key on record and nothing else, never adding to or changing the file.
int CheckHostKey(CURL* curl, const curl_khkey* knownKey, const curl_khkey* foundKey, curl_khmatch match,
                 void* check);

// `$HOME/.ssh/known_hosts` (the home folder from the password database when HOME is not set), native.
std::string KnownHostsPath();

// "ssh-ed25519 SHA256:..." for an SSH key blob: its type and its fingerprint as OpenSSH shows them.
// "" when the bytes are not a key blob.
std::string HostKeyFingerprint(const std::string& keyBlob);

// The two lines after "接続エラー:" for a key that is not on record (`check.changed` false) or differs
// from the one on record, for the server `hostName` (no brackets) at `port`: what happened, with the
// key's fingerprint, then how to check and record the key. Internal text.
std::string HostKeyRefusal(const CHostKeyCheck& check, const std::string& hostName, int port);
