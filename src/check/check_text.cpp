#include "check/check_text.h"

#include <cstdio>
#include <cstring>

#include "check/check_nodes.h"

namespace {

constexpr size_t npos = std::string_view::npos;

const char* C(const xmlChar* s) { return reinterpret_cast<const char*>(s); }

bool IsAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Elements of HTML that text holds when it is markup; other names after '<' ("a<b", "<T>") are more
// likely plain text.
bool IsHtmlElementName(std::string_view name) {
  static const char* const kNames[] = {
      "a", "abbr", "address", "article", "aside", "audio", "b", "big", "blockquote", "body", "br", "caption",
      "center", "cite", "code", "dd", "del", "details", "div", "dl", "dt", "em", "embed", "figcaption", "figure",
      "font", "footer", "form", "h1", "h2", "h3", "h4", "h5", "h6", "head", "header", "hr", "html", "i", "iframe",
      "img", "input", "ins", "kbd", "li", "link", "meta", "nav", "object", "ol", "p", "picture", "pre", "q", "s",
      "samp", "script", "section", "small", "source", "span", "strike", "strong", "style", "sub", "summary", "sup",
      "table", "tbody", "td", "tfoot", "th", "thead", "tr", "tt", "u", "ul", "var", "video"};
  if (name.empty() || name.size() > 10) return false;
  char lower[11];
  for (size_t i = 0; i < name.size(); ++i) {
    char c = name[i];
    lower[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  }
  std::string_view l(lower, name.size());
  for (const char* n : kNames) {
    if (l == n) return true;
  }
  return false;
}

// A tag starting at `at` in `text`, where `open` and `close` are the spellings of '<' and '>'
// ("<" ">" or "&lt;" "&gt;"): the tag's text, or "".
std::string TagAt(std::string_view text, size_t at, std::string_view open, std::string_view close) {
  size_t i = at + open.size();
  if (i < text.size() && text[i] == '/') ++i;
  size_t nameStart = i;
  while (i < text.size() && (IsAlpha(text[i]) || (i > nameStart && IsDigit(text[i])))) ++i;
  if (!IsHtmlElementName(text.substr(nameStart, i - nameStart))) return std::string();
  if (i >= text.size()) return std::string();
  // The name ends the tag, or white space or "/" follows it; the tag closes within a short distance.
  if (text.compare(i, close.size(), close) != 0 && !IsXmlSpace(text[i]) && text[i] != '/') return std::string();
  size_t end = text.find(close, i);
  if (end == npos || end - at > 300) return std::string();
  size_t nextOpen = text.find(open, i);
  if (nextOpen != npos && nextOpen < end) return std::string();
  return std::string(text.substr(at, end + close.size() - at));
}

std::string FindTag(std::string_view text, std::string_view open, std::string_view close) {
  for (size_t at = text.find(open); at != npos; at = text.find(open, at + 1)) {
    std::string tag = TagAt(text, at, open, close);
    if (!tag.empty()) return tag;
  }
  return std::string();
}

// The first C1 control character (U+0080-U+009F) or DEL in UTF-8 text, as "U+0085"; "" when none.
std::string FindControlCharacter(std::string_view text) {
  const char* s = text.data();
  const size_t n = text.size();
  size_t best = npos;
  std::string name;
  if (const void* del = std::memchr(s, 0x7F, n)) {
    best = static_cast<size_t>(static_cast<const char*>(del) - s);
    name = "U+007F";
  }
  for (const char* p = s; (p = static_cast<const char*>(std::memchr(p, 0xC2, n - static_cast<size_t>(p - s))));) {
    size_t at = static_cast<size_t>(p - s);
    if (at >= best) break;
    unsigned char next = at + 1 < n ? static_cast<unsigned char>(s[at + 1]) : 0;
    if (next >= 0x80 && next <= 0x9F) {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "U+%04X", next);
      return buffer;
    }
    ++p;
    if (p >= s + n) break;
  }
  return name;
}

// Whether `text` holds `needle`, looked for by memchr on its byte at `key` (one that text holds rarely).
bool Holds(std::string_view text, std::string_view needle, size_t key) {
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  for (const char* p = begin + key; p < end;) {
    const char* hit = static_cast<const char*>(std::memchr(p, needle[key], static_cast<size_t>(end - p)));
    if (!hit) return false;
    const char* start = hit - key;
    if (static_cast<size_t>(end - start) >= needle.size() && std::memcmp(start, needle.data(), needle.size()) == 0) return true;
    p = hit + 1;
  }
  return false;
}

}  // namespace

bool IsAbsoluteUrl(std::string_view url) {
  url = TrimSpace(url);
  if (url.empty() || !IsAlpha(url[0])) return false;
  size_t i = 1;
  while (i < url.size() && (IsAlpha(url[i]) || IsDigit(url[i]) || url[i] == '+' || url[i] == '-' || url[i] == '.')) ++i;
  if (i >= url.size() || url[i] != ':') return false;
  // Bytes a URL cannot hold: controls, space, DEL, '<', '>', '"'.
  static const struct CForbidden {
    bool bytes[256] = {};
    CForbidden() {
      for (int b = 0; b <= 0x20; ++b) bytes[b] = true;
      bytes[0x7F] = bytes[static_cast<unsigned char>('<')] = bytes[static_cast<unsigned char>('>')] =
          bytes[static_cast<unsigned char>('"')] = true;
    }
  } kForbidden;
  for (char c : url) {
    if (kForbidden.bytes[static_cast<unsigned char>(c)]) return false;
  }
  auto schemeIs = [&](std::string_view lower) {
    if (i != lower.size()) return false;
    for (size_t k = 0; k < i; ++k) {
      const char c = url[k] >= 'A' && url[k] <= 'Z' ? static_cast<char>(url[k] - 'A' + 'a') : url[k];
      if (c != lower[k]) return false;
    }
    return true;
  };
  if (schemeIs("http") || schemeIs("https") || schemeIs("ftp")) {
    if (url.compare(i + 1, 2, "//") != 0) return false;
    size_t host = i + 3;
    if (host >= url.size() || url[host] == '/' || url[host] == '?' || url[host] == '#') return false;
  }
  return true;
}

std::string FindHtmlTag(std::string_view text) { return FindTag(text, "<", ">"); }
std::string FindEscapedHtmlTag(std::string_view text) { return FindTag(text, "&lt;", "&gt;"); }

void CheckUrlText(const xmlNode* element, CCheckReport& report) {
  std::string storage;
  std::string_view url = OwnTextView(element, storage);
  if (!IsAbsoluteUrl(url)) report.AtNode(CheckRule::RelativeUrl, element, TrimSpace(url));
}

void CheckUrlAttribute(const xmlNode* element, const char* attribute, CCheckReport& report) {
  bool found = false;
  std::string url = Attribute(element, attribute, nullptr, &found);
  if (found && !IsAbsoluteUrl(url)) report.AtAttribute(CheckRule::RelativeUrl, element, attribute, TrimSpace(url));
}

void CheckTitleNotEmpty(const xmlNode* title, CCheckReport& report) {
  if (title && IsBlank(AllText(title))) report.AtNode(CheckRule::EmptyTitle, title);
}

void CheckTextEverywhere(const xmlNode* root, std::string_view documentText, bool hasEntities, CCheckReport& report) {
  const char* raw = documentText.data();
  const size_t size = documentText.size();
  const bool controls = hasEntities || std::memchr(raw, 0x7F, size) || std::memchr(raw, 0xC2, size) ||
                        Holds(documentText, "&#", 0);
  const bool escapes = hasEntities || Holds(documentText, "lt;", 2);
  if (!controls && !escapes) return;
  const xmlNode* node = root;
  while (node) {
    if (node->type == XML_ELEMENT_NODE) {
      bool controlFound = !controls, escapedFound = !escapes;
      for (const xmlAttr* a = node->properties; a && !controlFound; a = a->next) {
        for (const xmlNode* t = a->children; t; t = t->next) {
          if (t->type != XML_TEXT_NODE || !t->content) continue;
          std::string control = FindControlCharacter(C(t->content));
          if (!control.empty()) {
            report.AtAttribute(CheckRule::ControlCharacter, node,
                               (a->ns && a->ns->prefix ? std::string(C(a->ns->prefix)) + ":" + C(a->name) : std::string(C(a->name))).c_str(),
                               control);
            controlFound = true;
            break;
          }
        }
      }
      for (const xmlNode* t = node->children; t; t = t->next) {
        if ((t->type != XML_TEXT_NODE && t->type != XML_CDATA_SECTION_NODE) || !t->content) continue;
        std::string_view text(C(t->content));
        if (!controlFound) {
          std::string control = FindControlCharacter(text);
          if (!control.empty()) {
            report.AtNode(CheckRule::ControlCharacter, node, control);
            controlFound = true;
          }
        }
        if (!escapedFound && text.find("&lt;") != npos) {
          std::string tag = FindEscapedHtmlTag(text);
          if (!tag.empty()) {
            report.AtNode(CheckRule::DoubleEscaped, node, tag);
            escapedFound = true;
          }
        }
      }
    }
    node = NextInWalk(node, root, node->type == XML_ELEMENT_NODE);
  }
}
