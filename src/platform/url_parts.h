// The parts of a URL: its scheme, and host and path for the Atom ids.
#pragma once

#include <string>

// Splits an absolute URL (internal text) with libcurl's URL parser. `host` is the server name without
// user name or port; `path` is everything after host and port, query and fragment included, "/" when
// the URL has none. Dot segments are kept as written, so an id does not change with them. A text that
// is not an absolute URL (no scheme, no host, empty) gives an empty host and path and false.
bool SplitUrlHostPath(const std::string& url, std::string& host, std::string& path);

// The scheme of a URL in lower case ("https" of "HTTPS://example.jp/"); "" when the text does not
// begin with one (a path, a word).
std::string UrlScheme(const std::string& text);

// An http or https address ("https://example.jp/"), in any letter case: the only web addresses the
// program hands to a browser or shows in its preview.
bool IsWebAddress(const std::string& address);

// Percent-encoding: each byte of `bytes` that `keep` refuses as "%XX" (upper-case hex digits), the
// others as they stand.
std::string PercentEncode(const std::string& bytes, bool (*keep)(unsigned char));
