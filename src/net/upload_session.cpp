#include "net/upload_session.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "net/ftp_host.h"
#include "net/vamel_ftp.h"
#include "net/vamel_sftp.h"
#include "platform/file_system.h"
#include "platform/text_codec.h"
#include "net/curl_support.h"

std::unique_ptr<CUploadSession> CreateUploadSession(const std::string& host) {
  const CResult<CFtpHost> server = ParseFtpHost(host);
  if (server && server.value.protocol == FtpProtocol::kSftp) return std::make_unique<CVamelSftp>();
  return std::make_unique<CVamelFtp>();
}

CLocalUpload::CLocalUpload(const std::string& localPath, const std::string& message) {
  const size_t sep = localPath.rfind(kPathSep);
  m_name = sep == std::string::npos ? localPath : localPath.substr(sep + 1);
  if (m_name.empty()) throw CUploadException(message + "\n" + Lit("ファイル名がありません"));
  if (HasLineBreak(m_name)) throw CUploadException(message + "\n" + Lit("ファイル名に改行があります"));
  m_file = std::fopen(NativePath(localPath).c_str(), "rb");
  if (!m_file) {
    throw CUploadException(message + "\n" + Lit("ローカルファイルを開けませんでした (") + SystemErrorText(errno) + ")");
  }
  struct stat st;
  if (::fstat(fileno(m_file), &st) != 0 || !S_ISREG(st.st_mode)) {
    std::fclose(m_file);
    m_file = nullptr;
    throw CUploadException(message + "\n" + Lit("ローカルファイルを開けませんでした"));
  }
  m_size = static_cast<long long>(st.st_size);
}

CLocalUpload::~CLocalUpload() {
  if (m_file) std::fclose(m_file);
}
