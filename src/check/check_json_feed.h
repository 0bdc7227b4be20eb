// The checker's rules for JSON Feed (versions 1 and 1.1): valid UTF-8 JSON, the required members and
// their types, absolute URLs, RFC 3339 dates, unique item ids, content in every item.
#pragma once

#include <string_view>

#include "check/feed_check.h"

// True when the first character after white space (and a byte-order mark) is "{".
bool LooksLikeJson(std::string_view bytes);

// Checks a JSON Feed; findings name the member by its path ("items[2].url"), on line 0 except for a
// syntax error, which has its line and column.
CFeedCheckResult CheckJsonFeed(std::string_view bytes, CheckLanguage language);
