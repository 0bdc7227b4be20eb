// A session that publishes files to a server: FTP (plain or over TLS) or SFTP. Publishing drives every
// protocol through the same steps; each step throws CUploadException (FTP's own is CVamelFtpException)
// with the message for the user, and no message ever holds the password.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "platform/vamel_exception.h"

// The failure of a step of an upload session, whatever the protocol.
class CUploadException : public CVamelException {
public:
  using CVamelException::CVamelException;
};

class CUploadSession {
public:
  virtual ~CUploadSession() = default;

  // `host` is the project's host field (see ftp_host.h); `directory` is changed to right after
  // connecting ("" for none; a refusal is ignored); non-zero `passive` asks for passive data
  // connections where the protocol has a choice.
  virtual void Set(const std::string& host, const std::string& user, const std::string& password,
                   const std::string& directory, int passive) = 0;
  // One more certificate authority (a PEM file) to trust besides the system's, for a server with a
  // certificate of its own making; "" for none. Only TLS uses it.
  virtual void SetExtraCaFile(const std::string& path) { (void)path; }
  // Seconds to wait for a connection, and seconds without progress after which a step fails instead
  // of hanging.
  virtual void SetTimeouts(long connectSeconds, long idleSeconds) = 0;

  virtual void Connect() = 0;
  virtual std::string GetCurrentDirectory() = 0;
  virtual void ChangeDirectory(const std::string& name) = 0;
  // Uploads the local file into the current folder under the name after the path's last separator.
  virtual void PutFile(const std::string& localPath, bool ascii) = 0;
  // Closes the connection; safe at any time.
  virtual void Disconnect() = 0;
};

// The session for the protocol that the host field names: SFTP for "sftp://", FTP otherwise (a field
// that cannot be read gets an FTP session, whose Connect says why).
std::unique_ptr<CUploadSession> CreateUploadSession(const std::string& host);

// The local file of an upload, opened for reading, with its size and its remote name (the part of the
// path after its last separator). Throws CUploadException with `message` and the reason when the
// path has no name, a name with a line break, or is no regular file that can be read. The file closes
// with the object.
class CLocalUpload {
public:
  CLocalUpload(const std::string& localPath, const std::string& message);
  ~CLocalUpload();
  CLocalUpload(const CLocalUpload&) = delete;
  CLocalUpload& operator=(const CLocalUpload&) = delete;

  std::FILE* File() const { return m_file; }
  long long Size() const { return m_size; }
  const std::string& Name() const { return m_name; }

private:
  std::FILE* m_file = nullptr;
  long long m_size = 0;
  std::string m_name;
};
