#include "net/download_page.h"

#include <curl/curl.h>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>

#include "net/curl_support.h"
#include "platform/file_system.h"
#include "platform/text_codec.h"

namespace {

// The agent and the headers every page request carries; pages always come fresh, never from a cache.
constexpr const char* kUserAgent = "Mozilla/4.0*";
constexpr const char* kRequestHeaders[] = {"Accept: text/*", "Cache-Control: no-cache", "Pragma: no-cache"};
// Longest file name we make, in native bytes (file systems allow 255).
constexpr size_t kMaxNameBytes = 240;
// How often the window gets a chance to repaint and to be cancelled while no data arrives.
constexpr int kPollMilliseconds = 100;

// CURL and CURLM are both void, so each kind of handle has its own deleter.
struct EasyDeleter {
  void operator()(CURL* p) const { curl_easy_cleanup(p); }
};
struct MultiDeleter {
  void operator()(CURLM* p) const { curl_multi_cleanup(p); }
};
struct UrlDeleter {
  void operator()(CURLU* p) const { curl_url_cleanup(p); }
};
struct ListDeleter {
  void operator()(curl_slist* p) const { curl_slist_free_all(p); }
};

std::string SafeFileName(const std::string& name) {
  std::string safe = name;
  for (char& c : safe) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F || c == kPathSep) c = '_';
  }
  if (safe.empty() || safe == "." || safe == "..") return "index.html";
  const std::string full = safe;
  size_t limit = full.size();
  while (AnsiToUtf8(safe).size() > kMaxNameBytes && limit > 0) safe = CutAnsi(full, --limit);
  return safe;
}

// One download in progress.
struct CTransfer {
  CURL* curl = nullptr;
  CProgressSink* sink = nullptr;
  const CDownloadOptions* options = nullptr;
  std::string destination;  // the page's file, replaced when the whole body is in
  CReplacingFile file;
  int fileError = 0;       // errno of a failed create or write
  long status = 0;         // HTTP status, once known
  std::string statusLine;  // the last status line received
  std::string location;    // the Location of a redirect
  unsigned long long received = 0;
  bool cancelled = false;
  bool refused = false;  // status of 300 or more
  bool tooLarge = false;
  bool overtime = false;  // the whole download took longer than options->totalTimeout

  // The file is made with the first block of the body (or at the end, for an empty body).
  bool OpenFile() {
    if (file.IsOpen()) return true;
    if (file.Open(destination, 0600)) return true;
    fileError = file.Error();
    return false;
  }

  // After the window had its chance to repaint: a press of its cancel button, once confirmed, stops
  // the download.
  bool PollCancel() {
    if (!cancelled && sink && sink->IsCancelled()) {
      cancelled = !options->confirmCancel || options->confirmCancel();
    }
    return cancelled;
  }
};

size_t OnHeader(char* data, size_t size, size_t count, void* user) {
  auto* t = static_cast<CTransfer*>(user);
  std::string line(data, size * count);
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  if (line.compare(0, 5, "HTTP/") == 0) {
    t->statusLine = line;
    t->location.clear();
  } else if (line.size() > 9 && curl_strnequal(line.c_str(), "Location:", 9)) {
    size_t start = line.find_first_not_of(" \t", 9);
    t->location = start == std::string::npos ? std::string() : line.substr(start);
  }
  return size * count;
}

size_t OnBody(char* data, size_t size, size_t count, void* user) {
  auto* t = static_cast<CTransfer*>(user);
  size_t n = size * count;
  if (t->status == 0) {
    curl_easy_getinfo(t->curl, CURLINFO_RESPONSE_CODE, &t->status);
    if (t->status >= 300) {
      t->refused = true;
      return 0;  // the body of an error or redirect is not the page
    }
  }
  t->received += n;
  if (t->received > t->options->maxBytes) {
    t->tooLarge = true;
    return 0;
  }
  if (t->sink) {
    curl_off_t length = -1;
    curl_easy_getinfo(t->curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
    const unsigned long long total = length > 0 ? static_cast<unsigned long long>(length) : 0;
    t->sink->SetProgress(t->received, total);
    t->sink->SetCountText(DownloadCountText(t->received, total));
    t->sink->Pump();
  }
  // A block that arrives after the user cancelled is not written.
  if (t->PollCancel()) return 0;
  if (!t->OpenFile()) return 0;
  if (!t->file.Write(std::string_view(data, n))) {
    t->fileError = t->file.Error();
    return 0;
  }
  return n;
}

// Called by libcurl while the transfer runs, data or not.
int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  return static_cast<CTransfer*>(user)->cancelled ? 1 : 0;
}

// Runs the transfer, letting the window repaint and checking the cancel flag at least every
// kPollMilliseconds even while the server sends nothing.
CURLcode RunPumping(CTransfer& t) {
  std::unique_ptr<CURLM, MultiDeleter> multi(curl_multi_init());
  if (!multi) return CURLE_OUT_OF_MEMORY;
  curl_multi_add_handle(multi.get(), t.curl);
  CURLcode result = CURLE_OK;
  int running = 1;
  // A server that sends a byte now and then never stalls: the deadline ends the download all the same.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(t.options->totalTimeout);
  while (running > 0) {
    if (curl_multi_perform(multi.get(), &running) != CURLM_OK) {
      result = CURLE_FAILED_INIT;
      break;
    }
    if (running == 0) break;
    curl_multi_poll(multi.get(), nullptr, 0, kPollMilliseconds, nullptr);
    if (t.sink) t.sink->Pump();
    if (t.PollCancel()) break;
    if (std::chrono::steady_clock::now() >= deadline) {
      t.overtime = true;
      result = CURLE_OPERATION_TIMEDOUT;
      break;
    }
  }
  int left = 0;
  while (CURLMsg* msg = curl_multi_info_read(multi.get(), &left)) {
    if (msg->msg == CURLMSG_DONE && !t.overtime) result = msg->data.result;
  }
  if (t.cancelled && result == CURLE_OK) result = CURLE_ABORTED_BY_CALLBACK;
  curl_multi_remove_handle(multi.get(), t.curl);
  return result;
}

// The destination file could not be made or written.
CUserMessage FileFailure(const std::string& path, int error) {
  return CUserMessage{Lit("ファイルのオープンに失敗しました") + ":" + path + "\n" + SystemErrorText(error),
                      MbButtons::Ok, MbIcon::Exclamation};
}

std::string FailureText(const std::string& url, const std::string& reason) {
  return Lit("ダウンロードに失敗しました") + ":" + url + "\n" + reason;
}

}  // namespace

std::string DownloadCountText(unsigned long long received, unsigned long long total) {
  std::string count = std::to_string(received);
  if (total > 0) count += "/" + std::to_string(total);
  return count + Lit("バイト");
}

std::string DownloadFileName(const std::string& url) {
  size_t slash = url.rfind('/');
  if (slash == std::string::npos) return std::string();
  return SafeFileName(url.substr(slash + 1));
}

CResult<std::string> DownloadPage(const std::string& url, const std::string& folder, const CProgressOpener& openProgress,
                                  const CDownloadOptions& options) {
  CResult<std::string> result;
  size_t slash = url.rfind('/');
  if (slash == std::string::npos) return result;
  if (folder.empty()) {  // no private folder could be made: nowhere safe to put the page
    return result.Say(FileFailure(SafeFileName(url.substr(slash + 1)), ENOENT));
  }
  std::string name = url.substr(slash + 1);
  std::string destination = folder;
  if (destination.empty() || destination.back() != kPathSep) destination += kPathSep;
  destination += SafeFileName(name);

  EnsureCurlInitialised();
  // Only http and https pages are fetched; anything else cannot be split into a page request.
  std::unique_ptr<CURLU, UrlDeleter> parts(curl_url());
  std::string scheme, requestUrl;
  if (parts && !HasLineBreak(url) &&
      curl_url_set(parts.get(), CURLUPART_URL, AnsiToUtf8(url).c_str(), CURLU_URLENCODE) == CURLUE_OK) {
    char* text = nullptr;
    if (curl_url_get(parts.get(), CURLUPART_SCHEME, &text, 0) == CURLUE_OK) scheme = text;
    curl_free(text);
    text = nullptr;
    if (curl_url_get(parts.get(), CURLUPART_URL, &text, 0) == CURLUE_OK) requestUrl = text;
    curl_free(text);
  }
  if ((scheme != "http" && scheme != "https") || requestUrl.empty()) {
    return result.Say(url + Lit("の解析に失敗しました"), MbIcon::Exclamation);
  }

  std::unique_ptr<CProgressSink> progress(openProgress ? openProgress() : nullptr);
  if (progress) {
    progress->SetStatus(Lit("ダウンロード中です"));
    progress->SetFileText(name);
  }

  std::unique_ptr<CURL, EasyDeleter> curl(curl_easy_init());
  std::unique_ptr<curl_slist, ListDeleter> headers;
  for (const char* h : kRequestHeaders) headers.reset(curl_slist_append(headers.release(), h));
  char errorBuffer[CURL_ERROR_SIZE] = "";

  CTransfer t;
  t.curl = curl.get();
  t.sink = progress.get();
  t.options = &options;
  t.destination = destination;

  CURLcode code = CURLE_FAILED_INIT;
  if (curl && headers) {
    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, requestUrl.c_str());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_USERAGENT, kUserAgent);
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(c, CURLOPT_FRESH_CONNECT, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, options.connectTimeout);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, options.stallTimeout);
    curl_easy_setopt(c, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(options.maxBytes));
    if (!options.caFile.empty()) curl_easy_setopt(c, CURLOPT_CAINFO, options.caFile.c_str());
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, OnHeader);
    curl_easy_setopt(c, CURLOPT_HEADERDATA, &t);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, OnBody);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &t);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, OnProgress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &t);
    code = RunPumping(t);
    if (t.status == 0) curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &t.status);
  }

  // A page with an empty body still gets its (empty) file. Anything short of a whole body leaves any
  // older file of that name as it was (the replacing file is abandoned when `t` goes).
  bool saved = code == CURLE_OK && !t.cancelled && t.status > 0 && t.status < 300 && t.OpenFile();
  if (saved && !t.file.Commit()) {
    t.fileError = t.file.Error();
    saved = false;
  }
  progress.reset();  // the window closes before any message

  if (saved) {
    result.value = destination;
    return result.Done();
  }
  if (t.cancelled) return result.Cancel();  // the user asked for it; nothing more to say
  std::string reason;
  if (t.refused || (code == CURLE_OK && t.status >= 300)) {
    reason = ServerTextToAnsi(t.statusLine);
    if (reason.empty()) reason = "HTTP " + std::to_string(t.status);
    if (!t.location.empty()) reason += "\n" + Lit("移動先:") + ServerTextToAnsi(t.location);
  } else if (t.fileError != 0 || (code == CURLE_WRITE_ERROR && !t.tooLarge)) {
    return result.Say(FileFailure(destination, t.fileError ? t.fileError : EIO));
  } else if (t.overtime) {
    reason = Lit("制限時間 (") + std::to_string(t.options->totalTimeout) +
             Lit(" 秒) を過ぎても終わらないので中止しました");
  } else if (t.tooLarge || code == CURLE_FILESIZE_EXCEEDED) {
    reason = CurlFailureReason(CURLE_FILESIZE_EXCEEDED, std::string(), std::string());
  } else {
    reason = CurlFailureReason(code, errorBuffer, std::string());
  }
  return result.Say(FailureText(url, reason), MbIcon::Exclamation);
}
