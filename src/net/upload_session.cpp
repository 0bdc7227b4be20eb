#include "net/upload_session.h"

#include "net/ftp_host.h"
#include "net/vamel_ftp.h"
#include "net/vamel_sftp.h"

std::unique_ptr<CUploadSession> CreateUploadSession(const std::string& host) {
  CFtpHost server;
  std::string error;
  if (ParseFtpHost(host, server, error) && server.protocol == FtpProtocol::kSftp) return std::make_unique<CVamelSftp>();
  return std::make_unique<CVamelFtp>();
}
