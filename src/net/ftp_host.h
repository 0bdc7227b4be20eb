// The FTP host field of a project, read as the protocol, the server and the port to publish to.
//
// "host" and "host:port" are plain FTP, as they always were; "ftps://host[:port]" is FTP over TLS
// (explicit: AUTH TLS on the usual FTP port) and "sftp://host[:port]" is SFTP. "ftp://" may be written
// for plain FTP too. Any other scheme is refused rather than tried as plain FTP, which would send the
// password in the clear to a server the user meant to reach securely.
#pragma once

#include <string>

#include "platform/result.h"

enum class FtpProtocol { kFtp, kFtps, kSftp };

struct CFtpHost {
  FtpProtocol protocol = FtpProtocol::kFtp;
  std::string name;  // host name or IPv4 address; an IPv6 address without its brackets
  int port = 0;      // 0: the protocol's own (21 for FTP and FTPS, 22 for SFTP)

  // "name" or "[v6]", followed by ":port" when one was given: the server part of a URL.
  std::string UrlAuthority() const;
  int EffectivePort() const;
};

// Reads the host field (internal text). Blanks around it are ignored, the scheme is matched without
// regard to case, and a "/" may close a form with a scheme. Fails, with the reason for the user
// (internal text, no line break) as its message, for an empty field, an unknown scheme, a name that a
// host cannot have, a folder after the host, or a port outside 1 to 65535.
CResult<CFtpHost> ParseFtpHost(const std::string& text);
