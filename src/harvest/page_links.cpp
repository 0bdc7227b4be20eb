#include "harvest/page_links.h"

#include "harvest/text_utils.h"

namespace {

bool IsSrcsetSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

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

std::string ResolveSrcset(const std::string& pageUrl, const std::string& srcset) {
  // The candidate syntax of HTML: white space and commas, a URL (no white space; trailing commas are not
  // part of it), then descriptors up to the next comma outside parentheses.
  std::string out;
  std::size_t i = 0;
  const std::size_t n = srcset.size();
  while (i < n) {
    std::size_t start = i;
    while (i < n && (IsSrcsetSpace(srcset[i]) || srcset[i] == ',')) ++i;
    out.append(srcset, start, i - start);
    if (i == n) break;
    std::size_t urlStart = i;
    while (i < n && !IsSrcsetSpace(srcset[i])) ++i;
    std::size_t urlEnd = i;
    while (urlEnd > urlStart && srcset[urlEnd - 1] == ',') --urlEnd;
    const std::string url = srcset.substr(urlStart, urlEnd - urlStart);
    out += url.find("://") == std::string::npos ? ResolvePageLink(pageUrl, url) : url;
    out.append(srcset, urlEnd, i - urlEnd);
    if (urlEnd < i) continue;  // the URL ended in commas: no descriptors
    start = i;
    int depth = 0;
    while (i < n && (srcset[i] != ',' || depth > 0)) {
      if (srcset[i] == '(') ++depth;
      else if (srcset[i] == ')' && depth > 0) --depth;
      ++i;
    }
    out.append(srcset, start, i - start);
  }
  return out;
}
