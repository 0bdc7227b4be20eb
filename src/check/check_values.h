// The forms of the values feeds hold: integers, e-mail contacts, language codes, MIME types, URLs and
// ids. Each says only whether text has its form; the rules decide what to report.
#pragma once

#include <string_view>

// A decimal integer (optional sign, white space around it); `value` gets it, clamped to the range of
// long long.
bool ParseInteger(std::string_view text, long long& value);

// A decimal number such as "35.68" or "-139.7".
bool ParseNumber(std::string_view text, double& value);

// An e-mail contact as RSS 2.0 writes it: "addr@example.jp", optionally followed by a name in
// parentheses, or "Name <addr@example.jp>".
bool IsEmailContact(std::string_view text);
// An address alone ("addr@example.jp").
bool IsEmailAddress(std::string_view text);

// A language code: an ISO 639 code (two letters from the list, or three letters), then subtags.
bool IsLanguageCode(std::string_view text);

// "type/subtype" with optional parameters.
bool IsMimeType(std::string_view text);

enum class UrlFault { None, Relative, Character, Scheme, Tag, Urn, Uuid };

// What is wrong with a URL or IRI. `absolute` asks for a scheme (and, for http, https and ftp, "//"
// and a host); a relative reference may otherwise stand. White space around the URL is allowed.
// Characters beyond ASCII are allowed (IRIs); ASCII that a URL cannot hold is not.
UrlFault CheckUrl(std::string_view text, bool absolute);

// True when `text` is "true" or "false", case aside.
bool IsBoolean(std::string_view text);

// True when `text` (trimmed, case aside) is one of `values`.
bool IsOneOf(std::string_view text, std::initializer_list<const char*> values);
