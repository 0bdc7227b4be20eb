#include "net/curl_support.h"

#include "platform/sjis.h"
#include "platform/text_codec.h"

namespace {

std::string ReasonText(CURLcode code) {
  switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST: return Lit("サーバ名を解決できませんでした");
    case CURLE_COULDNT_RESOLVE_PROXY: return Lit("プロキシ名を解決できませんでした");
    case CURLE_COULDNT_CONNECT: return Lit("サーバに接続できませんでした");
    case CURLE_OPERATION_TIMEDOUT: return Lit("サーバが応答しません");
    case CURLE_LOGIN_DENIED: return Lit("ログインできませんでした(ユーザ名かパスワードが違います)");
    case CURLE_REMOTE_ACCESS_DENIED: return Lit("サーバがアクセスを拒否しました");
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_FTP_WEIRD_PASV_REPLY:
    case CURLE_FTP_WEIRD_227_FORMAT: return Lit("サーバの応答が正しくありません");
    case CURLE_FTP_CANT_GET_HOST:
    case CURLE_FTP_PORT_FAILED:
    case CURLE_FTP_ACCEPT_FAILED:
    case CURLE_FTP_ACCEPT_TIMEOUT: return Lit("データ接続を確立できませんでした");
    case CURLE_GOT_NOTHING:
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR: return Lit("サーバとの接続が切れました");
    case CURLE_PARTIAL_FILE: return Lit("データが途中で切れました");
    case CURLE_UPLOAD_FAILED: return Lit("サーバがファイルを受け取りませんでした");
    case CURLE_READ_ERROR: return Lit("ローカルファイルを読めませんでした");
    case CURLE_WRITE_ERROR: return Lit("ファイルに書き込めませんでした");
    case CURLE_SSL_CONNECT_ERROR: return Lit("SSL接続に失敗しました");
    case CURLE_USE_SSL_FAILED: return Lit("サーバがTLSでの接続を受け付けませんでした");
    case CURLE_SSH: return Lit("SSHの通信に失敗しました");
    case CURLE_REMOTE_FILE_NOT_FOUND: return Lit("サーバにそのファイルかフォルダがありません");
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE: return Lit("サーバの証明書を確認できませんでした");
    case CURLE_URL_MALFORMAT: return Lit("アドレスが正しくありません");
    case CURLE_UNSUPPORTED_PROTOCOL: return Lit("対応していないプロトコルです");
    case CURLE_TOO_MANY_REDIRECTS: return Lit("転送が多すぎます");
    case CURLE_REMOTE_DISK_FULL: return Lit("サーバの容量が足りません");
    case CURLE_FILESIZE_EXCEEDED: return Lit("ファイルが大きすぎます");
    case CURLE_QUOTE_ERROR: return Lit("サーバがコマンドを拒否しました");
    default: return Lit("通信エラー");
  }
}

}  // namespace

std::string CurlFailureReason(CURLcode code, const std::string& errorBuffer, const std::string& lastReply) {
  // libcurl reports a server's "421" (it closes the connection) as a timeout.
  bool closedByServer = code == CURLE_OPERATION_TIMEDOUT && lastReply.compare(0, 3, "421") == 0;
  std::string reason = closedByServer ? Lit("サーバが接続を打ち切りました") : ReasonText(code);
  std::string detail = ServerTextToAnsi(lastReply.empty() ? errorBuffer : lastReply);
  if (detail.empty()) detail = curl_easy_strerror(code);
  return reason + " (" + detail + ")";
}

std::string ServerTextToAnsi(const std::string& bytes) {
  std::string text = IsValidUtf8AllPlanes(bytes) ? Utf8ToAnsi(bytes) : bytes;
  for (char& c : text) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) c = ' ';
  }
  size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

std::string CutAnsi(const std::string& text, size_t maxBytes) {
  if (text.size() <= maxBytes) return text;
  size_t i = 0;
  while (i < text.size()) {
    size_t len = CharLengthAt(text, i);
    if (i + len > maxBytes) break;
    i += len;
  }
  return text.substr(0, i);
}

bool HasLineBreak(const std::string& text) { return text.find_first_of(std::string("\r\n\0", 3)) != std::string::npos; }

curl_slist* SetTransferOptions(CURL* curl, const std::string& url, const std::vector<std::string>& commands,
                               char* errorBuffer, void* replies) {
  curl_slist* quote = nullptr;
  for (const std::string& command : commands) quote = curl_slist_append(quote, command.c_str());
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorBuffer);
  curl_easy_setopt(curl, CURLOPT_HEADERDATA, replies);
  curl_easy_setopt(curl, CURLOPT_QUOTE, quote);
  return quote;
}

void ReleaseTransferOptions(CURL* curl, curl_slist* quote) {
  curl_easy_setopt(curl, CURLOPT_QUOTE, nullptr);
  curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, nullptr);
  curl_easy_setopt(curl, CURLOPT_HEADERDATA, nullptr);
  curl_easy_setopt(curl, CURLOPT_READDATA, nullptr);
  curl_easy_setopt(curl, CURLOPT_UPLOAD, 0L);
  curl_slist_free_all(quote);
}

size_t CollectReplyLine(char* data, size_t size, size_t count, void* lines) {
  std::string line(data, size * count);
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  if (!line.empty()) static_cast<std::vector<std::string>*>(lines)->push_back(line);
  return size * count;
}

std::string ToWire(const std::string& ansi) { return AnsiToUtf8(ansi); }

std::string FromWire(const std::string& wire) { return IsValidUtf8AllPlanes(wire) ? Utf8ToAnsi(wire) : wire; }

std::string UploadTemporaryName(const std::string& name) { return "." + name + ".vamelrss-part"; }
