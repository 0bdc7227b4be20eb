// Making the links of harvested page content absolute against the page's own URL.
#pragma once

#include <string>

// `value` of an A/HREF or IMG/SRC attribute as an absolute URL against the page URL `pageUrl`
// ("scheme://host/path"):
//   - a value with "://" or any other URL scheme ("mailto:", "javascript:", "data:", "tel:") stays;
//   - "//host/x" gets the page's scheme; "/x" goes to the page's scheme and host;
//   - "#frag" and "?query" replace the page URL's own fragment, or query and fragment;
//   - any other value is a relative path, resolved by ResolveRelativeUrl. Leading "../" steps beyond
//     the top folder of the site stop there, as browsers do, instead of eating into the host name.
// Against a page URL that is not absolute every value stays as it is: there is nothing to resolve
// against. Never shows a message.
std::string ResolvePageLink(const std::string& pageUrl, const std::string& value);

// A srcset attribute value with the URL of each candidate made absolute by ResolvePageLink; the
// commas, white space and descriptors ("2x", "640w") stay exactly as they were.
std::string ResolveSrcset(const std::string& pageUrl, const std::string& srcset);

// True when `value` begins with a URL scheme: a letter, then letters, digits, "+", "-" or ".", then ":".
bool HasUrlScheme(const std::string& value);
