#include "net/vamel_sftp.h"

#include <curl/curl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "net/curl_support.h"
#include "net/upload_session.h"
#include "platform/file_system.h"
#include "platform/text_codec.h"

namespace {

CURL* Handle(void* p) { return static_cast<CURL*>(p); }

// Folder listings only prove that a folder is there: their text is dropped.
size_t DropData(char*, size_t size, size_t count, void*) { return size * count; }

size_t OnReadFile(char* buffer, size_t size, size_t count, void* user) {
  auto* file = static_cast<std::FILE*>(user);
  size_t n = std::fread(buffer, 1, size * count, file);
  return n == 0 && std::ferror(file) ? CURL_READFUNC_ABORT : n;
}

// The folder named in libcurl's "257" line for "pwd".
bool ParsePwdLine(const std::string& line, std::string& folder) {
  if (line.compare(0, 5, "257 \"") != 0) return false;
  size_t end = line.rfind('"');
  if (end <= 4) return false;
  folder = line.substr(5, end - 5);
  return true;
}

// A path as an argument of a quote command: in double quotes, with '"' and '\' escaped.
std::string QuotedPath(const std::string& path) {
  std::string out = "\"";
  for (char c : path) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

std::string WithoutTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

// Where the old file waits while the new one takes its name (`path` is the file's whole path).
std::string SetAsideName(const std::string& path) {
  size_t slash = path.rfind('/');
  return path.substr(0, slash + 1) + "." + path.substr(slash + 1) + ".vamelrss-old";
}

}  // namespace

struct CVamelSftp::Perform {
  CURLcode code = CURLE_OK;
  std::string error;               // libcurl's error text
  std::vector<std::string> lines;  // what the quote commands reported

  bool Ok() const { return code == CURLE_OK; }
  std::string Reason() const { return CurlFailureReason(code, error, std::string()); }
};

CVamelSftp::CVamelSftp() { EnsureCurlInitialised(); }

CVamelSftp::~CVamelSftp() {
  Disconnect();
  std::fill(m_password.begin(), m_password.end(), '\0');
}

void CVamelSftp::Set(const std::string& host, const std::string& user, const std::string& password,
                     const std::string& directory, int) {
  m_host = host;
  m_user = user;
  m_password = password;
  m_directory = directory;
}

void CVamelSftp::SetTimeouts(long connectSeconds, long idleSeconds) {
  m_connectTimeout = connectSeconds > 0 ? connectSeconds : 1;
  m_idleTimeout = idleSeconds > 0 ? idleSeconds : 1;
}

std::string CVamelSftp::Url(const std::string& wirePath) const {
  std::string url = "sftp://" + m_server.UrlAuthority();
  size_t start = 0;
  do {
    size_t slash = wirePath.find('/', start);
    std::string segment = wirePath.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
    char* escaped = curl_easy_escape(Handle(m_curl), segment.c_str(), static_cast<int>(segment.size()));
    if (start > 0 || !segment.empty()) url += "/";
    url += escaped ? escaped : "";
    curl_free(escaped);
    start = slash == std::string::npos ? std::string::npos : slash + 1;
  } while (start != std::string::npos);
  return url;
}

std::string CVamelSftp::PathIn(const std::string& name) const {
  std::string path = m_current;
  if (path.empty() || path.back() != '/') path += "/";
  return path + name;
}

std::string CVamelSftp::Folder(const std::string& name) const {
  std::string wire = ToWire(name);
  return !wire.empty() && wire[0] == '/' ? wire : PathIn(wire);
}

void CVamelSftp::ApplyCommonOptions() {
  CURL* curl = Handle(m_curl);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "sftp");
  curl_easy_setopt(curl, CURLOPT_USERNAME, ToWire(m_user).c_str());
  long methods = 0;
  if (!m_password.empty()) {
    curl_easy_setopt(curl, CURLOPT_PASSWORD, ToWire(m_password).c_str());
    methods |= CURLSSH_AUTH_PASSWORD | CURLSSH_AUTH_KEYBOARD;
  }
  const char* agent = std::getenv("SSH_AUTH_SOCK");
  if (agent && *agent) methods |= CURLSSH_AUTH_AGENT;
  curl_easy_setopt(curl, CURLOPT_SSH_AUTH_TYPES, methods);
  // The host key is checked on every connection; without the file every key is unknown.
  m_hostKey.knownHosts = KnownHostsPath();
  curl_easy_setopt(curl, CURLOPT_SSH_KNOWNHOSTS, m_hostKey.knownHosts.c_str());
  curl_easy_setopt(curl, CURLOPT_SSH_KEYFUNCTION, CheckHostKey);
  curl_easy_setopt(curl, CURLOPT_SSH_KEYDATA, &m_hostKey);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, m_connectTimeout);
  curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, m_idleTimeout);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, m_idleTimeout);
  curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, CollectReplyLine);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, DropData);
}

CVamelSftp::Perform CVamelSftp::Run(const std::vector<std::string>& commands, const std::string& url, Mode mode,
                                    void* file, long long fileSize) {
  Perform result;
  CURL* curl = Handle(m_curl);
  char errorBuffer[CURL_ERROR_SIZE] = "";
  curl_slist* quote = SetTransferOptions(curl, url, commands, errorBuffer, &result.lines);
  curl_easy_setopt(curl, CURLOPT_NOBODY, mode == Mode::kCommands ? 1L : 0L);
  curl_easy_setopt(curl, CURLOPT_DIRLISTONLY, mode == Mode::kList ? 1L : 0L);
  curl_easy_setopt(curl, CURLOPT_UPLOAD, mode == Mode::kUpload ? 1L : 0L);
  if (mode == Mode::kUpload) {
    curl_easy_setopt(curl, CURLOPT_READFUNCTION, OnReadFile);
    curl_easy_setopt(curl, CURLOPT_READDATA, file);
    curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(fileSize));
  }
  result.code = curl_easy_perform(curl);
  result.error = errorBuffer;

  ReleaseTransferOptions(curl, quote);
  return result;
}

void CVamelSftp::Connect() {
  const std::string prefix = Lit("接続エラー") + ":";
  Disconnect();
  const CResult<CFtpHost> server = ParseFtpHost(m_host);
  if (!server) throw CUploadException(prefix + CutAnsi(server.FirstText(), kMaxErrorDetail));
  m_server = server.value;
  if (m_server.protocol != FtpProtocol::kSftp) throw CUploadException(prefix + Lit("SFTPのサーバではありません"));
  if (m_user.empty()) throw CUploadException(prefix + Lit("ユーザ名が設定されていません"));
  if (HasLineBreak(m_user) || HasLineBreak(m_password) || HasLineBreak(m_directory)) {
    throw CUploadException(prefix + Lit("ユーザ名、パスワードまたはフォルダ名に改行があります"));
  }
  const char* agent = std::getenv("SSH_AUTH_SOCK");
  if (m_password.empty() && !(agent && *agent)) {
    throw CUploadException(prefix + Lit("パスワードが設定されていません (ssh-agentも動いていません)"));
  }

  m_curl = curl_easy_init();
  if (!m_curl) throw CUploadException(prefix + Lit("通信の準備ができませんでした"));
  m_hostKey = CHostKeyCheck();
  m_hostKey.host = m_server.name;
  m_hostKey.port = m_server.EffectivePort();
  ApplyCommonOptions();

  // Log in and ask for the login folder: libcurl's "pwd" names the path of the URL, and "/~/" is the
  // login folder.
  Perform result = Run({"pwd"}, "sftp://" + m_server.UrlAuthority() + "/~/", Mode::kCommands);
  if (!result.Ok()) {
    if (m_hostKey.seen && !m_hostKey.known) {
      throw CUploadException(prefix + HostKeyRefusal(m_hostKey));
    }
    throw CUploadException(prefix + CutAnsi(result.Reason(), kMaxErrorDetail));
  }
  std::string folder;
  for (const std::string& line : result.lines) {
    if (ParsePwdLine(line, folder)) m_current = WithoutTrailingSlashes(folder);
  }
  if (m_current.empty()) m_current = "/";

  if (!m_directory.empty()) {
    std::string wanted = WithoutTrailingSlashes(Folder(m_directory));
    if (Run({}, Url(wanted) + "/", Mode::kList).Ok()) m_current = wanted;
  }
}

std::string CVamelSftp::GetCurrentDirectory() {
  if (!m_curl) throw CUploadException(Lit("カレントディレクトリ取得エラー"));
  return FromWire(m_current);
}

void CVamelSftp::ChangeDirectory(const std::string& name) {
  std::string path = m_curl ? Folder(name) : ToWire(name);
  const std::string message = Lit("ディレクトリ移動エラー") + ":" + FromWire(path);
  if (!m_curl) throw CUploadException(message);
  if (HasLineBreak(path)) throw CUploadException(message + "\n" + Lit("フォルダ名に改行があります"));
  std::string folder = WithoutTrailingSlashes(path);
  Perform result = Run({}, Url(folder) + "/", Mode::kList);
  if (!result.Ok()) throw CUploadException(message + "\n" + result.Reason());
  m_current = folder;
}

void CVamelSftp::PutFile(const std::string& localPath, bool) {
  const std::string message = Lit("ファイル転送エラー") + ":" + localPath;
  if (!m_curl) throw CUploadException(message);
  CLocalUpload local(localPath, message);
  const std::string& name = local.Name();

  std::string wireName = ToWire(name);
  std::string temporary = PathIn(UploadTemporaryName(wireName));
  Perform result = Run({}, Url(temporary), Mode::kUpload, local.File(), local.Size());
  if (!result.Ok()) throw CUploadException(message + "\n" + result.Reason());
  Replace(temporary, PathIn(wireName), message);
}

// SFTP's rename (version 3, which libssh2 speaks) refuses to replace an existing file on most servers,
// OpenSSH's among them, and the atomic "posix-rename" extension is out of libssh2's reach. So the
// rename is tried first (it works for a new feed, and on servers that replace), and when it is refused
// the old file is moved aside, the new one renamed into its place and the old one removed: readers may
// miss the feed for a moment but never fetch half of it, and if the new file cannot take its place the
// old one goes back. When the rename fails, the temporary file is removed and the error shown.
void CVamelSftp::Replace(const std::string& temporary, const std::string& target, const std::string& message) {
  auto run = [&](const std::vector<std::string>& commands) { return Run(commands, Url("/"), Mode::kCommands); };
  auto rename = [](const std::string& from, const std::string& to) {
    return "rename " + QuotedPath(from) + " " + QuotedPath(to);
  };
  Perform result = run({rename(temporary, target)});
  if (result.Ok()) return;

  const std::string old = SetAsideName(target);
  run({"rm " + QuotedPath(old)});  // left by a run that was cut off; usually not there
  if (run({rename(target, old)}).Ok()) {
    Perform moved = run({rename(temporary, target)});
    if (moved.Ok()) {
      run({"rm " + QuotedPath(old)});
      return;
    }
    run({rename(old, target)});
    result = moved;
  }
  run({"rm " + QuotedPath(temporary)});
  throw CUploadException(message + "\n" + result.Reason());
}

void CVamelSftp::Disconnect() {
  if (m_curl) {
    curl_easy_cleanup(Handle(m_curl));
    m_curl = nullptr;
  }
  m_current.clear();
}
