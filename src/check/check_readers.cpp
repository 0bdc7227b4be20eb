#include "check/check_readers.h"

#include <cstring>
#include <string>
#include <string_view>

#include "check/check_nodes.h"
#include "check/check_values.h"

namespace {

constexpr const char* kXmlNs = "http://www.w3.org/XML/1998/namespace";

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool HasBase(const xmlNode* node) {
  std::string storage;
  for (; node && node->type == XML_ELEMENT_NODE; node = node->parent) {
    bool found = false;
    AttributeView(node, "base", storage, kXmlNs, &found);
    if (found) return true;
  }
  return false;
}

// A URL that a reader cannot resolve without the page: no scheme, not "//host", not a fragment.
bool IsRelative(std::string_view url) {
  url = TrimSpace(url);
  if (url.empty() || url[0] == '#' || url.compare(0, 2, "//") == 0) return false;
  return CheckUrl(url, true) == UrlFault::Relative;
}

// The value of the first href or src attribute in `html` whose URL is relative; "" when none.
std::string FindRelativeInHtml(std::string_view html) {
  for (size_t eq = html.find('='); eq != std::string_view::npos; eq = html.find('=', eq + 1)) {
    size_t end = eq;
    while (end > 0 && IsXmlSpace(html[end - 1])) --end;
    size_t start = end;
    while (start > 0 && ((html[start - 1] >= 'a' && html[start - 1] <= 'z') || (html[start - 1] >= 'A' && html[start - 1] <= 'Z'))) {
      --start;
    }
    std::string name;
    for (size_t i = start; i < end; ++i) name += Lower(html[i]);
    if (name != "href" && name != "src") continue;
    if (start == 0 || !IsXmlSpace(html[start - 1])) continue;
    size_t v = eq + 1;
    while (v < html.size() && IsXmlSpace(html[v])) ++v;
    if (v >= html.size()) break;
    size_t valueEnd;
    if (html[v] == '"' || html[v] == '\'') {
      valueEnd = html.find(html[v], v + 1);
      ++v;
    } else {
      valueEnd = html.find_first_of(" \t\r\n>", v);
    }
    if (valueEnd == std::string_view::npos) valueEnd = html.size();
    std::string_view url = html.substr(v, valueEnd - v);
    if (IsRelative(url)) return std::string(url);
  }
  return std::string();
}

}  // namespace

void CheckFeedSize(std::size_t bytes, CCheckReport& report) {
  if (bytes > kReaderMaxBytes) report.AtFile(CheckRule::FeedTooLarge, std::to_string(kReaderMaxBytes / 1024));
}

void CheckItemCount(const xmlNode* parent, int items, CCheckReport& report) {
  if (items > kReaderMaxItems) report.AtNode(CheckRule::TooManyItems, parent, std::to_string(kReaderMaxItems));
}

void CheckContentUrls(const xmlNode* element, bool escaped, CCheckReport& report) {
  if (!element) return;
  std::string found;
  if (escaped) {
    std::string storage;
    std::string_view text = OwnTextView(element, storage);
    if (text.find('=') == std::string_view::npos) return;
    found = FindRelativeInHtml(text);
  } else {
    for (const xmlNode* n = FirstElement(element); n && found.empty(); n = NextInWalk(n, element, n->type == XML_ELEMENT_NODE)) {
      if (n->type != XML_ELEMENT_NODE) continue;
      for (const char* name : {"href", "src"}) {
        bool present = false;
        std::string url = Attribute(n, name, nullptr, &present);
        if (present && IsRelative(url)) {
          found = url;
          break;
        }
      }
    }
  }
  if (!found.empty() && !HasBase(element)) report.AtNode(CheckRule::RelativeUrlInContent, element, found);
}
