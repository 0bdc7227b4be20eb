#include "net/vamel_ftp.h"

#include <curl/curl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "net/curl_support.h"
#include "net/upload_session.h"
#include "net/tls_trust.h"
#include "platform/file_system.h"
#include "platform/text_codec.h"

namespace {

CURL* Handle(void* p) { return static_cast<CURL*>(p); }

// Reads the local file for an upload. In ASCII mode libcurl turns every LF into CR LF on the wire, so
// the file's own CR LF pairs are given to it as LF: the server then stores its own line ends and no
// stray CR.
struct CUploadSource {
  std::FILE* file = nullptr;
  bool ascii = false;
  bool pendingCr = false;  // a CR at the end of the last block, its LF not yet seen
  bool eof = false;
};

size_t OnReadFile(char* buffer, size_t size, size_t count, void* user) {
  auto* source = static_cast<CUploadSource*>(user);
  size_t room = size * count;
  if (!source->ascii) {
    size_t n = std::fread(buffer, 1, room, source->file);
    return n == 0 && std::ferror(source->file) ? CURL_READFUNC_ABORT : n;
  }
  size_t out = 0;
  while (out == 0 && !source->eof) {
    // Leave a byte free for a CR held back from the previous block.
    size_t n = room > 1 ? std::fread(buffer, 1, room - 1, source->file) : 0;
    if (n == 0) {
      if (std::ferror(source->file)) return CURL_READFUNC_ABORT;
      source->eof = true;
      if (source->pendingCr) buffer[out++] = '\r';
      source->pendingCr = false;
      break;
    }
    std::string block(buffer, n);
    for (char c : block) {
      if (source->pendingCr) {
        source->pendingCr = false;
        if (c != '\n') buffer[out++] = '\r';
      }
      if (c == '\r') source->pendingCr = true;
      else buffer[out++] = c;
    }
  }
  return out;
}

bool IsReplyLine(const std::string& line) {
  return line.size() >= 3 && line[0] >= '1' && line[0] <= '5' && line[1] >= '0' && line[1] <= '9' &&
         line[2] >= '0' && line[2] <= '9' && (line.size() == 3 || line[3] == ' ');
}

// The folder named in a "257" reply: the text between the first quote and the next lone quote, with
// doubled quotes standing for one. False when the reply holds none.
bool ParsePwdReply(const std::string& line, std::string& folder) {
  if (line.compare(0, 4, "257 ") != 0) return false;
  size_t i = line.find('"');
  if (i == std::string::npos) return false;
  std::string out;
  for (++i; i < line.size(); ++i) {
    if (line[i] == '"') {
      if (i + 1 < line.size() && line[i + 1] == '"') {
        out += '"';
        ++i;
      } else {
        folder = out;
        return true;
      }
    } else {
      out += line[i];
    }
  }
  return false;
}

// Where the old file waits while the new one takes its name, on servers that do not replace on rename.
std::string SetAsideName(const std::string& name) { return "." + name + ".vamelrss-old"; }

bool MentionsTls(std::string text) {
  for (char& c : text) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  for (const char* word : {"tls", "ssl", "encrypt"}) {
    if (text.find(word) != std::string::npos) return true;
  }
  return false;
}

// Longest server reply that a message quotes.
constexpr size_t kMaxReplyText = 400;

// True when an exchange failed only because the connection kept from the last one had been closed by
// the server meanwhile ("421" for an idle session, or the socket already gone), before any data moved.
bool DroppedWhileIdle(CURL* curl, CURLcode code, const std::vector<std::string>& replies) {
  long connects = -1;
  curl_off_t uploaded = -1;
  curl_easy_getinfo(curl, CURLINFO_NUM_CONNECTS, &connects);
  curl_easy_getinfo(curl, CURLINFO_SIZE_UPLOAD_T, &uploaded);
  if (connects != 0 || uploaded > 0) return false;
  for (const std::string& line : replies) {
    if (line.compare(0, 4, "421 ") == 0 || line == "421") return true;
  }
  return replies.empty() &&
         (code == CURLE_SEND_ERROR || code == CURLE_RECV_ERROR || code == CURLE_GOT_NOTHING);
}

}  // namespace

struct CVamelFtp::Perform {
  CURLcode code = CURLE_OK;
  std::string error;                // libcurl's error text
  std::vector<std::string> replies;  // every reply line of the exchange

  bool Ok() const { return code == CURLE_OK; }

  // The last final reply (code 400 and above) when the server refused something, else "". A reply of
  // several lines ("421-Sorry, ..." up to "421 Please ...") is given whole, its lines joined by
  // spaces, since servers often say the telling part first.
  std::string Refusal() const {
    size_t last = replies.size();
    while (last > 0 && !IsReplyLine(replies[last - 1])) --last;
    if (last == 0 || replies[last - 1][0] < '4') return std::string();
    const std::string& final = replies[last - 1];
    const std::string number = final.substr(0, 3);
    size_t first = last - 1;
    for (size_t i = last - 1; i > 0; --i) {
      const std::string& line = replies[i - 1];
      if (IsReplyLine(line)) break;  // the end of an earlier reply
      if (line.compare(0, 4, number + "-") == 0) {
        first = i - 1;
        break;
      }
    }
    if (first == last - 1) return final;
    std::string text = number;
    for (size_t i = first; i < last && text.size() < kMaxReplyText; ++i) {
      const std::string& line = replies[i];
      size_t skip = line.compare(0, 3, number) == 0 && line.size() > 3 && (line[3] == '-' || line[3] == ' ') ? 4 : 0;
      size_t begin = line.find_first_not_of(' ', skip);
      if (begin != std::string::npos) text += " " + line.substr(begin);
    }
    if (text.size() > kMaxReplyText) {
      size_t cut = kMaxReplyText;
      while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;  // not inside a UTF-8 character
      text.resize(cut);
    }
    return text;
  }

  std::string Reason() const { return CurlFailureReason(code, error, Refusal()); }

  // The folder of the last "257" reply.
  bool PwdFolder(std::string& folder) const {
    for (auto it = replies.rbegin(); it != replies.rend(); ++it) {
      if (ParsePwdReply(*it, folder)) return true;
    }
    return false;
  }
};

CVamelFtp::CVamelFtp() { EnsureCurlInitialised(); }

CVamelFtp::~CVamelFtp() {
  Disconnect();
  // The password lived in clear only for the session: wipe it.
  std::fill(m_password.begin(), m_password.end(), '\0');
}

void CVamelFtp::Set(const std::string& host, const std::string& user, const std::string& password,
                    const std::string& directory, int passive) {
  m_host = host;
  m_user = user;
  m_password = password;
  m_directory = directory;
  m_passive = passive;
}

void CVamelFtp::SetTimeouts(long connectSeconds, long idleSeconds) {
  m_connectTimeout = connectSeconds > 0 ? connectSeconds : 1;
  m_idleTimeout = idleSeconds > 0 ? idleSeconds : 1;
}

std::string CVamelFtp::BaseUrl() const { return "ftp://" + m_server.UrlAuthority() + "/"; }

bool CVamelFtp::ApplyCommonOptions(std::string& error) {
  CURL* curl = Handle(m_curl);
  const bool tls = m_server.protocol == FtpProtocol::kFtps;
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "ftp");
  curl_easy_setopt(curl, CURLOPT_USERAGENT, "Vamel FTP Session");
  if (!m_user.empty()) {
    curl_easy_setopt(curl, CURLOPT_USERNAME, ToWire(m_user).c_str());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, ToWire(m_password).c_str());
  }
  // Remote names are sent as they are in the current folder ("STOR name"); the folder is ours to set.
  curl_easy_setopt(curl, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_NOCWD));
  // Active mode: the server connects back to the address of the control connection. Over TLS only
  // passive mode is offered: routers cannot read the protected PORT command to let the server's
  // connection in.
  curl_easy_setopt(curl, CURLOPT_FTPPORT, m_passive || tls ? nullptr : "-");
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, m_connectTimeout);
  curl_easy_setopt(curl, CURLOPT_ACCEPTTIMEOUT_MS, m_connectTimeout * 1000L);
  curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, m_idleTimeout);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, m_idleTimeout);
  curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, CollectReplyLine);
  if (!tls) return true;

  // "AUTH TLS" before anything else, the data connections protected too, the server's certificate and
  // name checked; a server that cannot do TLS is refused, never used in the clear.
  curl_easy_setopt(curl, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
  curl_easy_setopt(curl, CURLOPT_FTPSSLAUTH, static_cast<long>(CURLFTPAUTH_TLS));
  curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
  if (!m_caFile.empty()) {
    char* systemBundle = nullptr;
    curl_easy_getinfo(curl, CURLINFO_CAINFO, &systemBundle);
    if (!LoadCaBundle(systemBundle ? systemBundle : "", m_caFile, m_caBundle, error)) return false;
    curl_blob blob{&m_caBundle[0], m_caBundle.size(), CURL_BLOB_NOCOPY};
    curl_easy_setopt(curl, CURLOPT_CAINFO_BLOB, &blob);
  }
  return true;
}

std::vector<std::string> CVamelFtp::CwdToCurrent() const {
  if (m_current.empty()) return {};
  return {"CWD " + m_current};
}

CVamelFtp::Perform CVamelFtp::Run(const std::vector<std::string>& commands, const std::string& url, bool upload,
                                  void* file, long long fileSize, bool ascii) {
  Perform result;
  CURL* curl = Handle(m_curl);
  char errorBuffer[CURL_ERROR_SIZE] = "";
  curl_slist* quote = SetTransferOptions(curl, url, commands, errorBuffer, &result.replies);
  curl_easy_setopt(curl, CURLOPT_UPLOAD, upload ? 1L : 0L);
  curl_easy_setopt(curl, CURLOPT_NOBODY, upload ? 0L : 1L);
  curl_easy_setopt(curl, CURLOPT_TRANSFERTEXT, ascii ? 1L : 0L);
  CUploadSource source;
  if (upload) {
    source.file = static_cast<std::FILE*>(file);
    source.ascii = ascii;
    curl_easy_setopt(curl, CURLOPT_READFUNCTION, OnReadFile);
    curl_easy_setopt(curl, CURLOPT_READDATA, &source);
    // The size on the wire differs from the file's in ASCII mode.
    curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(ascii ? -1 : fileSize));
  }

  for (int attempt = 0;; ++attempt) {
    result.replies.clear();
    errorBuffer[0] = '\0';
    result.code = curl_easy_perform(curl);
    result.error = errorBuffer;
    if (result.Ok() || attempt > 0 || !DroppedWhileIdle(curl, result.code, result.replies)) break;
    // The server had closed the connection we kept; libcurl has let it go, so this opens a new one
    // and our "CWD" lands it in the same folder again.
    if (upload) {
      std::rewind(source.file);
      source.pendingCr = source.eof = false;
    }
  }

  ReleaseTransferOptions(curl, quote);
  return result;
}

void CVamelFtp::Connect() {
  const std::string prefix = Lit("接続エラー") + ":";
  Disconnect();
  const CResult<CFtpHost> server = ParseFtpHost(m_host);
  if (!server) throw CVamelFtpException(prefix + CutAnsi(server.FirstText(), kMaxErrorDetail));
  m_server = server.value;
  if (m_server.protocol == FtpProtocol::kSftp) {
    throw CVamelFtpException(prefix + Lit("SFTPのサーバにはFTPで接続できません"));
  }
  if (HasLineBreak(m_user) || HasLineBreak(m_password) || HasLineBreak(m_directory)) {
    throw CVamelFtpException(prefix + Lit("ユーザ名、パスワードまたはフォルダ名に改行があります"));
  }

  m_curl = curl_easy_init();
  if (!m_curl) throw CVamelFtpException(prefix + Lit("通信の準備ができませんでした"));
  if (std::string error; !ApplyCommonOptions(error)) throw CVamelFtpException(prefix + error);

  // Log in; then, when a folder was given, try it (a refusal is ignored: "*") and ask where we are.
  std::vector<std::string> commands;
  if (!m_directory.empty()) {
    commands.push_back("*CWD " + ToWire(m_directory));
    commands.push_back("*PWD");
  }
  Perform result = Run(commands, BaseUrl(), false, nullptr, 0, false);
  if (!result.Ok()) {
    std::string message = prefix + CutAnsi(result.Reason(), kMaxErrorDetail);
    if (result.code == CURLE_PEER_FAILED_VERIFICATION) {
      message += "\n" + Lit("自分で作ったCAの証明書を使うサーバなら、そのCAの証明書ファイル(PEM)をオプション "
                            "System/FtpCaFile に指定すると信頼できます");
    } else if (m_server.protocol == FtpProtocol::kFtp && MentionsTls(result.Refusal())) {
      message += "\n" + Lit("このサーバはTLSで暗号化した接続を求めています。ホスト名を ftps://") + m_server.UrlAuthority() +
                 Lit(" にしてください");
    }
    throw CVamelFtpException(message);
  }

  std::string folder;
  if (result.PwdFolder(folder)) {
    m_current = folder;
  } else {
    char* entry = nullptr;
    if (curl_easy_getinfo(Handle(m_curl), CURLINFO_FTP_ENTRY_PATH, &entry) == CURLE_OK && entry) m_current = entry;
  }
}

std::string CVamelFtp::GetCurrentDirectory() {
  const std::string message = Lit("カレントディレクトリ取得エラー");
  if (!m_curl) throw CVamelFtpException(message);
  std::vector<std::string> commands = CwdToCurrent();
  commands.push_back("PWD");
  Perform result = Run(commands, BaseUrl(), false, nullptr, 0, false);
  std::string folder;
  if (!result.Ok() || !result.PwdFolder(folder)) {
    std::string reason = result.Ok() ? std::string() : result.Reason();
    throw CVamelFtpException(reason.empty() ? message : message + "\n" + reason);
  }
  m_current = folder;
  return FromWire(folder);
}

void CVamelFtp::ChangeDirectory(const std::string& name) {
  std::string current;
  try {
    current = GetCurrentDirectory();
  } catch (const CVamelFtpException&) {
    current.clear();
  }
  std::string path = current;
  if (path.empty() || path.back() != '/') path += "/";
  path += name;

  const std::string message = Lit("ディレクトリ移動エラー") + ":" + path;
  if (!m_curl) throw CVamelFtpException(message);
  if (HasLineBreak(path)) throw CVamelFtpException(message + "\n" + Lit("フォルダ名に改行があります"));

  std::string wire = ToWire(path);
  Perform result = Run({"CWD " + wire}, BaseUrl(), false, nullptr, 0, false);
  if (!result.Ok()) throw CVamelFtpException(message + "\n" + result.Reason());
  m_current = wire;
}

void CVamelFtp::PutFile(const std::string& localPath, bool ascii) {
  const std::string message = Lit("ファイル転送エラー") + ":" + localPath;
  if (!m_curl) throw CVamelFtpException(message);
  CLocalUpload local(localPath, message);
  const std::string& name = local.Name();

  // Plain FTP stores the file under its name, as it always has; over TLS it goes to a temporary name
  // first and then replaces the old file.
  const bool replace = m_server.protocol == FtpProtocol::kFtps;
  std::string wireName = ToWire(name);
  std::string target = replace ? UploadTemporaryName(wireName) : wireName;
  char* escaped = curl_easy_escape(Handle(m_curl), target.c_str(), static_cast<int>(target.size()));
  std::string url = BaseUrl() + (escaped ? escaped : "");
  curl_free(escaped);

  Perform result = Run(CwdToCurrent(), url, true, local.File(), local.Size(), ascii);
  if (!result.Ok()) throw CVamelFtpException(message + "\n" + result.Reason());
  if (replace) Replace(target, wireName, message);
}

std::vector<std::string> CVamelFtp::InCurrent(std::initializer_list<std::string> commands) const {
  std::vector<std::string> list = CwdToCurrent();
  list.insert(list.end(), commands);
  return list;
}

// Renames the uploaded temporary file over `name` (both as sent). The rename is atomic where the server
// lets it replace a file. A server that accepts the old name (RNFR) but will not rename onto an existing
// file gets the old file moved aside first and removed after: readers may miss the feed for a moment
// but never fetch half of it, and if the new file cannot take its place the old one goes back. Nothing
// is deleted before the new file is in place. When the rename fails, the temporary file is removed and
// the error shown.
void CVamelFtp::Replace(const std::string& temporary, const std::string& name, const std::string& message) {
  auto run = [&](const std::vector<std::string>& commands) {
    return Run(commands, BaseUrl(), false, nullptr, 0, false);
  };
  Perform result = run(InCurrent({"RNFR " + temporary, "RNTO " + name}));
  if (result.Ok()) return;

  bool renameFromAccepted = false;
  for (const std::string& line : result.replies) renameFromAccepted |= line.compare(0, 4, "350 ") == 0;
  if (renameFromAccepted) {
    const std::string old = SetAsideName(name);
    run(InCurrent({"DELE " + old}));  // left by a run that was cut off; usually not there
    if (run(InCurrent({"RNFR " + name, "RNTO " + old})).Ok()) {
      Perform moved = run(InCurrent({"RNFR " + temporary, "RNTO " + name}));
      if (moved.Ok()) {
        run(InCurrent({"DELE " + old}));
        return;
      }
      run(InCurrent({"RNFR " + old, "RNTO " + name}));
      result = moved;
    }
  }
  run(InCurrent({"DELE " + temporary}));
  throw CVamelFtpException(message + "\n" + result.Reason());
}

void CVamelFtp::Disconnect() {
  if (m_curl) {
    curl_easy_cleanup(Handle(m_curl));  // says QUIT on a live connection
    m_curl = nullptr;
  }
  m_current.clear();
}
