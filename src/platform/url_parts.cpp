#include "platform/url_parts.h"

#include <curl/curl.h>

#include <memory>

#include "platform/curl_global.h"

namespace {

struct UrlDeleter {
  void operator()(CURLU* p) const { curl_url_cleanup(p); }
};

// One part of the parsed URL; false when the URL has none.
bool GetPart(CURLU* url, CURLUPart part, std::string& out) {
  char* text = nullptr;
  if (curl_url_get(url, part, &text, 0) != CURLUE_OK || !text) return false;
  out = text;
  curl_free(text);
  return true;
}

}  // namespace

bool SplitUrlHostPath(const std::string& url, std::string& host, std::string& path) {
  host.clear();
  path.clear();
  if (url.empty() || url.find('\0') != std::string::npos) return false;
  EnsureCurlInitialised();
  std::unique_ptr<CURLU, UrlDeleter> parts(curl_url());
  // The bytes go in as they are (internal text), so host and path come back as internal text.
  const unsigned int flags = CURLU_NON_SUPPORT_SCHEME | CURLU_PATH_AS_IS | CURLU_ALLOW_SPACE;
  if (!parts || curl_url_set(parts.get(), CURLUPART_URL, url.c_str(), flags) != CURLUE_OK) return false;
  std::string hostPart, pathPart, query, fragment;
  if (!GetPart(parts.get(), CURLUPART_HOST, hostPart) || hostPart.empty()) return false;
  if (!GetPart(parts.get(), CURLUPART_PATH, pathPart) || pathPart.empty()) pathPart = "/";
  if (GetPart(parts.get(), CURLUPART_QUERY, query)) pathPart += "?" + query;
  if (GetPart(parts.get(), CURLUPART_FRAGMENT, fragment)) pathPart += "#" + fragment;
  host = hostPart;
  path = pathPart;
  return true;
}

std::string UrlScheme(const std::string& text) {
  std::string scheme;
  for (char c : text) {
    if (c == ':') return scheme;
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    const bool other = !scheme.empty() && ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.');
    if (!letter && !other) return std::string();
    scheme += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  }
  return std::string();
}

bool IsWebAddress(const std::string& address) {
  const std::string scheme = UrlScheme(address);
  return (scheme == "http" || scheme == "https") && address.compare(scheme.size() + 1, 2, "//") == 0;
}

std::string PercentEncode(const std::string& bytes, bool (*keep)(unsigned char)) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size());
  for (char ch : bytes) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (keep(c)) {
      out += ch;
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}
