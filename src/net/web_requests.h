// The two small HTTP requests that follow a publication: the WebSub notice to a hub, and the fetch of
// a feed as the site serves it. Both follow redirects only over http and https, and give up after a
// bounded time.
#pragma once

#include <cstddef>
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
