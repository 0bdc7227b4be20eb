// The host key of an SSH server looked up in the text of an OpenSSH known_hosts file, as OpenSSH looks
// it up: the server is named "host" on port 22 and "[host]:port" on any other port, patterns ("*",
// "?", "!" for negation, comma-separated lists) and hashed names ("|1|salt|hash") match that name, and
// a key marked "@revoked" for the host is never accepted. ("@cert-authority" lines name authorities
// for certificates, which the transfer does not use: they are skipped.)
#pragma once

#include <string>
#include <string_view>

enum class KnownHostVerdict {
  kUnknown,  // no line for the host holds a key of this type
  kKnown,    // a line for the host holds this key
  kChanged,  // lines for the host hold other keys of this type, none this one
  kRevoked,  // a revoked line for the host holds this key
};

// `keyBlob` is the server's key (the SSH wire form); `host` as the user wrote it (no brackets).
KnownHostVerdict LookUpKnownHost(std::string_view knownHosts, const std::string& host, int port,
                                 const std::string& keyBlob);

// The name the server has in known_hosts: "host", or "[host]:port" for a port other than 22.
std::string KnownHostsName(const std::string& host, int port);
