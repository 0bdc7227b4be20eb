// The small HTTP requests of the program: the WebSub notice to a hub and the fetch of a feed as the
// site serves it (both after a publication), and the HEAD request that tells an enclosure's length and
// type. Each follows redirects only over http and https, and gives up after a bounded time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/result.h"

inline constexpr long kWebRequestSeconds = 10;  // the longest either request may take, connecting included

// POSTs "hub.mode=publish&hub.url=<feedUrl>" (form-encoded) to `hubUrl`. Done with the HTTP status
// when the hub answered 2xx; failed with the status (0 when there was no answer) and the reason.
struct CHubAnswer {
  long status = 0;
  std::string reason;  // internal text: the status line's reason, or why there was no answer
};
CResult<CHubAnswer> NotifyHub(const std::string& hubUrl, const std::string& feedUrl, long seconds = kWebRequestSeconds);

// GETs `url` and returns at most `maxBytes` + 1 bytes of its body (more tells that the body is larger).
// Failed with the reason on a status of 300 or more that is no redirect, a scheme other than http and
// https, or no answer in time.
CResult<std::string> FetchServedFile(const std::string& url, std::size_t maxBytes, long seconds = kWebRequestSeconds);

// What the server says of a file without sending it: Content-Length (0 when it does not say) and the
// media type of Content-Type without its parameters ("" when it does not say).
struct CServedFileFacts {
  std::int64_t length = 0;
  std::string type;
};
// HEADs `url`. Failed with the reason on a status of 300 or more that is no redirect, a scheme other than
// http and https, or no answer in time.
CResult<CServedFileFacts> HeadServedFile(const std::string& url, long seconds = kWebRequestSeconds);
