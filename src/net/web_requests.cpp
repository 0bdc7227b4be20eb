#include "net/web_requests.h"

#include <curl/curl.h>

#include <memory>

#include "net/curl_support.h"
#include "platform/text_codec.h"

namespace {

struct CurlDeleter {
  void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
using CurlHandle = std::unique_ptr<CURL, CurlDeleter>;

// The body received so far, cut off past its limit.
struct Body {
  std::string bytes;
  std::size_t limit = 0;
};

size_t CollectBody(char* data, size_t size, size_t count, void* target) {
  Body& body = *static_cast<Body*>(target);
  const size_t n = size * count;
  const size_t room = body.limit + 1 - std::min(body.bytes.size(), body.limit + 1);
  body.bytes.append(data, std::min(n, room));
  // Returning less than was given ends the transfer: the rest is not needed.
  return n <= room ? n : 0;
}

// The status line's reason ("Internal Server Error") from the header lines.
size_t CollectStatusReason(char* data, size_t size, size_t count, void* target) {
  const std::string line(data, size * count);
  if (line.compare(0, 5, "HTTP/") == 0) {
    const std::size_t space = line.find(' ', line.find(' ') + 1);
    *static_cast<std::string*>(target) = space == std::string::npos ? std::string() : ServerTextToAnsi(line.substr(space + 1));
  }
  return size * count;
}

// A handle for `url`: http and https only, redirects over those only, the time bounded.
CurlHandle OpenRequest(const std::string& url, long seconds, char* errorBuffer) {
  EnsureCurlInitialised();
  CurlHandle curl(curl_easy_init());
  if (!curl) return curl;
  curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl.get(), CURLOPT_ERRORBUFFER, errorBuffer);
  curl_easy_setopt(curl.get(), CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl.get(), CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl.get(), CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl.get(), CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl.get(), CURLOPT_MAXREDIRS, 5L);
  curl_easy_setopt(curl.get(), CURLOPT_CONNECTTIMEOUT, seconds);
  curl_easy_setopt(curl.get(), CURLOPT_TIMEOUT, seconds);
  curl_easy_setopt(curl.get(), CURLOPT_USERAGENT, "VamelRss");
  return curl;
}

std::string FailureText(CURLcode code, const char* errorBuffer) { return CurlFailureReason(code, errorBuffer, std::string()); }

}  // namespace

CResult<CHubAnswer> NotifyHub(const std::string& hubUrl, const std::string& feedUrl, long seconds) {
  CResult<CHubAnswer> result;
  char errorBuffer[CURL_ERROR_SIZE] = {};
  CurlHandle curl = OpenRequest(ToWire(hubUrl), seconds, errorBuffer);
  if (!curl) return result;
  char* escaped = curl_easy_escape(curl.get(), ToWire(feedUrl).c_str(), 0);
  const std::string form = std::string("hub.mode=publish&hub.url=") + (escaped ? escaped : "");
  curl_free(escaped);
  curl_easy_setopt(curl.get(), CURLOPT_POSTFIELDS, form.c_str());
  // Every redirect repeats the POST: left alone, libcurl would turn a 301 to 303 into a GET, which no hub
  // takes as a notice.
  curl_easy_setopt(curl.get(), CURLOPT_POSTREDIR, static_cast<long>(CURL_REDIR_POST_ALL));
  Body body{std::string(), 4096};
  curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, CollectBody);
  curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &body);
  curl_easy_setopt(curl.get(), CURLOPT_HEADERFUNCTION, CollectStatusReason);
  curl_easy_setopt(curl.get(), CURLOPT_HEADERDATA, &result.value.reason);
  const CURLcode code = curl_easy_perform(curl.get());
  curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &result.value.status);
  if (code != CURLE_OK && code != CURLE_WRITE_ERROR) {
    result.value.status = 0;
    result.value.reason = FailureText(code, errorBuffer);
  } else if (result.value.status >= 200 && result.value.status < 300) {
    result.Done();
  }
  return result;
}

CResult<std::string> FetchServedFile(const std::string& url, std::size_t maxBytes, long seconds) {
  CResult<std::string> result;
  char errorBuffer[CURL_ERROR_SIZE] = {};
  CurlHandle curl = OpenRequest(ToWire(url), seconds, errorBuffer);
  if (!curl) return result;
  Body body{std::string(), maxBytes};
  curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, CollectBody);
  curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &body);
  const CURLcode code = curl_easy_perform(curl.get());
  long status = 0;
  curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &status);
  // A body cut off past its limit ends the transfer with a write error: that is an answer too.
  if (code != CURLE_OK && !(code == CURLE_WRITE_ERROR && body.bytes.size() > maxBytes)) {
    return result.Say(FailureText(code, errorBuffer));
  }
  if (status >= 300) return result.Say("HTTP " + std::to_string(status));
  result.value = std::move(body.bytes);
  return result.Done();
}

CResult<CServedFileFacts> HeadServedFile(const std::string& url, long seconds) {
  CResult<CServedFileFacts> result;
  char errorBuffer[CURL_ERROR_SIZE] = {};
  CurlHandle curl = OpenRequest(ToWire(url), seconds, errorBuffer);
  if (!curl) return result;
  curl_easy_setopt(curl.get(), CURLOPT_NOBODY, 1L);
  const CURLcode code = curl_easy_perform(curl.get());
  if (code != CURLE_OK) return result.Say(FailureText(code, errorBuffer));
  long status = 0;
  curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &status);
  if (status >= 300) return result.Say("HTTP " + std::to_string(status));
  curl_off_t length = -1;
  if (curl_easy_getinfo(curl.get(), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) == CURLE_OK && length > 0) {
    result.value.length = static_cast<std::int64_t>(length);
  }
  const char* type = nullptr;
  if (curl_easy_getinfo(curl.get(), CURLINFO_CONTENT_TYPE, &type) == CURLE_OK && type) {
    std::string text(type);
    text = text.substr(0, text.find(';'));
    const std::size_t first = text.find_first_not_of(" \t");
    const std::size_t last = text.find_last_not_of(" \t");
    result.value.type = first == std::string::npos ? std::string() : ServerTextToAnsi(text.substr(first, last - first + 1));
  }
  return result.Done();
}
