// Host and path of a URL, for the Atom ids.
#pragma once

#include <string>

// Splits an absolute URL (internal text) with libcurl's URL parser. `host` is the server name without
// user name or port; `path` is everything after host and port, query and fragment included, "/" when
// the URL has none. Dot segments are kept as written, so an id does not change with them. A text that
// is not an absolute URL (no scheme, no host, empty) gives an empty host and path and false.
bool SplitUrlHostPath(const std::string& url, std::string& host, std::string& path);
