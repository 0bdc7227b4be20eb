// One SFTP session over libcurl (libssh2): connect, keep a remote folder, upload files.
//
// The server's host key must be the one recorded for it in ~/.ssh/known_hosts: an unknown or a
// changed key is refused with a message that says how to check and record it. The login uses the
// project's password; when an ssh-agent runs (SSH_AUTH_SOCK), its keys are tried after the password,
// so a server that takes keys only works too. Key files are not read: a key with a passphrase needs
// the agent anyway.
//
// SFTP has no current folder on the server, so the session keeps its own: the login folder at first,
// then folders taken relative to it, or as they stand when they begin with "/". A file is uploaded
// under a temporary name in the target folder and then renamed over the old one, so that a reader
// never fetches half a feed; SFTP has no text mode, so the bytes arrive unchanged.
#pragma once

#include <string>
#include <vector>

#include "net/ftp_host.h"
#include "net/ssh_host_key.h"
#include "net/upload_session.h"

class CVamelSftp : public CUploadSession {
public:
  CVamelSftp();
  ~CVamelSftp() override;  // disconnects first
  CVamelSftp(const CVamelSftp&) = delete;
  CVamelSftp& operator=(const CVamelSftp&) = delete;

  // `host`: "sftp://host[:port]"; `directory` is changed to right after connecting ("" for none, a
  // refusal is ignored); `passive` has no meaning for SFTP.
  void Set(const std::string& host, const std::string& user, const std::string& password,
           const std::string& directory, int passive) override;
  // Defaults: 30 and 60 seconds.
  void SetTimeouts(long connectSeconds, long idleSeconds) override;

  // Checks the host key, logs in and learns the login folder.
  void Connect() override;
  // The session's folder.
  std::string GetCurrentDirectory() override;
  // Changes to `name` when it begins with "/", else to the current folder + "/" + `name`, once the
  // server has shown that it is a folder the user can list.
  void ChangeDirectory(const std::string& name) override;
  // Uploads the local file under a temporary name into the current folder, then renames it over the
  // name after the path's last separator. `ascii` has no meaning for SFTP.
  void PutFile(const std::string& localPath, bool ascii) override;
  void Disconnect() override;

  bool IsConnected() const { return m_curl != nullptr; }

private:
  struct Perform;  // the outcome of one exchange with the server
  enum class Mode { kCommands, kList, kUpload };
  Perform Run(const std::vector<std::string>& commands, const std::string& url, Mode mode, void* file = nullptr,
              long long fileSize = 0);
  std::string Url(const std::string& wirePath) const;
  std::string PathIn(const std::string& name) const;  // the current folder joined with `name` (as sent)
  std::string Folder(const std::string& name) const;  // the folder that ChangeDirectory(name) means (as sent)
  void ApplyCommonOptions();
  void Replace(const std::string& temporary, const std::string& target, const std::string& message);

  void* m_curl = nullptr;  // CURL*, kept from Connect to Disconnect
  CFtpHost m_server;
  CHostKeyCheck m_hostKey;
  std::string m_host;
  std::string m_user;
  std::string m_password;
  std::string m_directory;
  long m_connectTimeout = 30;
  long m_idleTimeout = 60;
  std::string m_current;  // the session's folder (UTF-8, as sent, absolute); "" before the login
};
