// One FTP session over libcurl: connect, learn and change the remote folder, upload files.
//
// One easy handle keeps the control connection between calls. The session remembers the server's
// current folder and sends "CWD" to it before every command that depends on it, so a reconnection
// after the server dropped an idle connection lands in the same folder. Failures throw
// CVamelFtpException with a message for the user; the password never appears in one.
#pragma once

#include <string>
#include <vector>

#include "net/vamel_ftp_exception.h"

class CVamelFtp {
public:
  CVamelFtp();
  ~CVamelFtp();  // disconnects first
  CVamelFtp(const CVamelFtp&) = delete;
  CVamelFtp& operator=(const CVamelFtp&) = delete;

  // `host` may carry a port ("host:port"); `directory` is changed to right after connecting ("" for
  // none); non-zero `passive` uses passive data connections, zero active ones.
  void Set(const std::string& host, const std::string& user, const std::string& password,
           const std::string& directory, int passive);

  // Seconds to wait for a connection, and seconds without progress (no reply, no data moving) after
  // which a step fails instead of hanging. Defaults: 30 and 60.
  void SetTimeouts(long connectSeconds, long idleSeconds);

  // Logs in. A failure of the change to the folder given to Set is ignored.
  void Connect();
  // The server's current folder.
  std::string GetCurrentDirectory();
  // Changes to the current folder + "/" (unless it already ends so) + `name`.
  void ChangeDirectory(const std::string& name);
  // Uploads the local file into the current folder under the name after the path's last separator.
  void PutFile(const std::string& localPath, bool ascii);
  // Closes the connection; safe at any time.
  void Disconnect();

  bool IsConnected() const { return m_curl != nullptr; }

private:
  struct Perform;  // the outcome of one exchange with the server
  Perform Run(const std::vector<std::string>& commands, const std::string& url, bool upload, void* file,
              long long fileSize, bool ascii);
  std::string BaseUrl() const;
  std::string HostForUrl(std::string& error) const;
  void ApplyCommonOptions();
  std::vector<std::string> CwdToCurrent() const;

  void* m_curl = nullptr;  // CURL*, kept from Connect to Disconnect
  std::string m_host;
  std::string m_user;
  std::string m_password;
  std::string m_directory;
  int m_passive = 0;
  long m_connectTimeout = 30;
  long m_idleTimeout = 60;
  std::string m_current;  // the server's current folder as last known (UTF-8, as sent); "" unknown
};
