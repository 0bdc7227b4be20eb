#include "net/ftp_host.h"

#include <cstdlib>

#include "platform/text_codec.h"

namespace {

bool IsHostChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_';
}

bool IsIpv6Char(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') || c == ':' || c == '.';
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return text;
}

std::string Trimmed(const std::string& text) {
  size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

// Splits "name", "name:port", "[v6]" or "[v6]:port" and checks both parts; `portGiven` is true when a
// ":" stands after the name, even with nothing behind it.
bool SplitServer(const std::string& server, std::string& name, std::string& port, bool& portGiven) {
  portGiven = false;
  if (!server.empty() && server[0] == '[') {
    size_t close = server.find(']');
    if (close == std::string::npos || close == 1) return false;
    name = server.substr(1, close - 1);
    for (char c : name) {
      if (!IsIpv6Char(c)) return false;
    }
    if (close + 1 < server.size()) {
      if (server[close + 1] != ':') return false;
      portGiven = true;
      port = server.substr(close + 2);
    }
    return true;
  }
  size_t colon = server.rfind(':');
  name = server.substr(0, colon);
  if (colon != std::string::npos) {
    portGiven = true;
    port = server.substr(colon + 1);
  }
  if (name.empty()) return false;
  for (char c : name) {
    if (!IsHostChar(c)) return false;
  }
  return true;
}

// A host field that cannot be used, and why.
CResult<CFtpHost> Refused(std::string reason) { return CResult<CFtpHost>::Fail(std::move(reason)); }

}  // namespace

std::string CFtpHost::UrlAuthority() const {
  std::string authority = name.find(':') != std::string::npos ? "[" + name + "]" : name;
  if (port != 0) authority += ":" + std::to_string(port);
  return authority;
}

int CFtpHost::EffectivePort() const {
  if (port != 0) return port;
  return protocol == FtpProtocol::kSftp ? 22 : 21;
}

CResult<CFtpHost> ParseFtpHost(const std::string& text) {
  CResult<CFtpHost> result;
  CFtpHost& host = result.value;
  std::string server = Trimmed(text);
  if (server.empty()) {
    return Refused(Lit("ホスト名が設定されていません"));
  }
  size_t separator = server.find("://");
  if (separator != std::string::npos) {
    std::string scheme = Lower(server.substr(0, separator));
    if (scheme == "ftp") host.protocol = FtpProtocol::kFtp;
    else if (scheme == "ftps") host.protocol = FtpProtocol::kFtps;
    else if (scheme == "sftp") host.protocol = FtpProtocol::kSftp;
    else {
      return Refused(Lit("対応していないプロトコルです (") + server.substr(0, separator) + "://" + Lit(")。ホスト名は host、ftps://host、sftp://host のどれかの形で書いてください"));
    }
    server = server.substr(separator + 3);
    if (!server.empty() && server.back() == '/') server.pop_back();
    if (server.find('/') != std::string::npos) {
      return Refused(Lit("ホスト名にフォルダは書けません (") + text + Lit(")。フォルダはｱｯﾌﾟﾃﾞｨﾚｸﾄﾘに書いてください"));
    }
  }

  std::string port;
  bool portGiven = false;
  if (!SplitServer(server, host.name, port, portGiven)) {
    return Refused(Lit("ホスト名が正しくありません (") + text + ")");
  }
  if (portGiven) {
    bool digits = !port.empty() && port.size() <= 5 && port.find_first_not_of("0123456789") == std::string::npos;
    long number = digits ? std::strtol(port.c_str(), nullptr, 10) : 0;
    if (number < 1 || number > 65535) {
      return Refused(Lit("ポート番号が正しくありません (") + text + ")");
    }
    host.port = static_cast<int>(number);
  }
  return result.Done();
}
