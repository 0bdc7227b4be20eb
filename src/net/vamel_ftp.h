// One FTP session over libcurl, plain or over TLS: connect, learn and change the remote folder, upload
// files.
//
// One easy handle keeps the control connection between calls. The session remembers the server's
// current folder and sends "CWD" to it before every command that depends on it, so a reconnection
// after the server dropped an idle connection lands in the same folder. Failures throw
// CVamelFtpException with a message for the user; the password never appears in one.
//
// "ftps://" in the host field asks for explicit TLS: "AUTH TLS" before the login, the data connections
// protected too ("PROT P"), always passive (a server behind TLS cannot have its active connections
// opened through NAT, since no router can read the PORT command), the certificate checked against the
// system's trust store and the extra CA file. Over TLS a file is uploaded under a temporary name and
// then renamed over the old one, so that a reader never fetches half a feed.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "net/ftp_host.h"
#include "net/upload_session.h"

// The failure of an FTP step: one message for the user (internal text).
class CVamelFtpException : public CUploadException {
public:
  using CUploadException::CUploadException;
};

class CVamelFtp : public CUploadSession {
public:
  CVamelFtp();
  ~CVamelFtp() override;  // disconnects first
  CVamelFtp(const CVamelFtp&) = delete;
  CVamelFtp& operator=(const CVamelFtp&) = delete;

  // `host`: "host", "host:port", "ftp://..." or "ftps://..." (ftp_host.h); `directory` is changed to
  // right after connecting ("" for none); non-zero `passive` uses passive data connections, zero
  // active ones (plain FTP only: TLS is always passive).
  void Set(const std::string& host, const std::string& user, const std::string& password,
           const std::string& directory, int passive) override;
  void SetExtraCaFile(const std::string& path) override { m_caFile = path; }

  // Seconds to wait for a connection, and seconds without progress (no reply, no data moving) after
  // which a step fails instead of hanging. Defaults: 30 and 60.
  void SetTimeouts(long connectSeconds, long idleSeconds) override;

  // Logs in. A failure of the change to the folder given to Set is ignored.
  void Connect() override;
  // The server's current folder.
  std::string GetCurrentDirectory() override;
  // Changes to the current folder + "/" (unless it already ends so) + `name`.
  void ChangeDirectory(const std::string& name) override;
  // Uploads the local file into the current folder under the name after the path's last separator.
  void PutFile(const std::string& localPath, bool ascii) override;
  // Closes the connection; safe at any time.
  void Disconnect() override;

  bool IsConnected() const { return m_curl != nullptr; }

private:
  struct Perform;  // the outcome of one exchange with the server
  Perform Run(const std::vector<std::string>& commands, const std::string& url, bool upload, void* file,
              long long fileSize, bool ascii);
  std::string BaseUrl() const;
  bool ApplyCommonOptions(std::string& error);
  std::vector<std::string> CwdToCurrent() const;
  std::vector<std::string> InCurrent(std::initializer_list<std::string> commands) const;
  void Replace(const std::string& temporary, const std::string& name, const std::string& message);

  void* m_curl = nullptr;  // CURL*, kept from Connect to Disconnect
  CFtpHost m_server;       // the host field as read by Connect
  std::string m_caBundle;  // the system's CA bundle and the extra CA file, when one is set (PEM)
  std::string m_host;
  std::string m_caFile;
  std::string m_user;
  std::string m_password;
  std::string m_directory;
  int m_passive = 0;
  long m_connectTimeout = 30;
  long m_idleTimeout = 60;
  std::string m_current;  // the server's current folder as last known (UTF-8, as sent); "" unknown
};
