#include "harvest/page_links.h"

#include "harvest/text_utils.h"

namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

// "/", "?" and "#" lie below 0x40, so a plain byte search never hits the second byte of a character.
std::size_t FindFirstOf(const std::string& s, const char* set, std::size_t from) { return s.find_first_of(set, from); }

// How many "../" (or "..\") steps `value` begins with.
std::size_t LeadingUpSteps(const std::string& value, std::size_t& restStart) {
  std::size_t steps = 0;
  restStart = 0;
  while (value.compare(restStart, 2, "..") == 0 && restStart + 2 < value.size() &&
         (value[restStart + 2] == '/' || value[restStart + 2] == '\\')) {
    ++steps;
    restStart += 3;
  }
  return steps;
}

}  // namespace

bool HasUrlScheme(const std::string& value) {
  if (value.empty() || !IsAsciiLetter(value[0])) return false;
  for (std::size_t i = 1; i < value.size(); ++i) {
    char c = value[i];
    if (c == ':') return true;
    if (!IsAsciiLetter(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.') return false;
  }
  return false;
}

std::string ResolvePageLink(const std::string& pageUrl, const std::string& value) {
  if (value.empty() || value.find("://") != std::string::npos || HasUrlScheme(value)) return value;

  // The page URL's parts: scheme "://" authority, then path, query and fragment.
  std::size_t schemeEnd = pageUrl.find("://");
  if (schemeEnd == std::string::npos || !HasUrlScheme(pageUrl.substr(0, schemeEnd + 1))) return value;
  const std::string scheme = pageUrl.substr(0, schemeEnd);
  std::size_t authorityStart = schemeEnd + 3;
  std::size_t pathStart = FindFirstOf(pageUrl, "/?#", authorityStart);
  if (pathStart == std::string::npos) pathStart = pageUrl.size();
  const std::string origin = pageUrl.substr(0, pathStart);  // scheme://authority
  std::size_t fragment = pageUrl.find('#', pathStart);
  const std::string withoutFragment = pageUrl.substr(0, fragment);
  std::size_t query = withoutFragment.find('?', pathStart);
  std::string base = withoutFragment.substr(0, query);  // scheme://authority/path
  if (base.size() == pathStart) base += '/';

  if (StartsWith(value, "//")) return scheme + ":" + value;
  if (value[0] == '/') return origin + value;
  if (value[0] == '#') return withoutFragment + value;
  if (value[0] == '?') return base + value;

  // A relative path. Its leading "../" steps may climb at most to the top folder of the site.
  std::size_t folders = 0;
  for (std::size_t i = pathStart + 1; i < base.size(); ++i) {
    if (base[i] == '/') ++folders;
    else i += CharLengthAt(base, i) - 1;
  }
  std::size_t restStart = 0;
  std::size_t steps = LeadingUpSteps(value, restStart);
  if (steps <= folders) return ResolveRelativeUrl(base, value);
  std::string kept;
  for (std::size_t i = 0; i < folders; ++i) kept += "../";
  return ResolveRelativeUrl(base, kept + value.substr(restStart));
}
