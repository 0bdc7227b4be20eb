#include "reference_parser.h"

#include <sstream>

#include "platform/text_codec.h"
#include "xml/vxml.h"

namespace {

bool Lead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
bool Letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

// Is pattern byte k a letter that folds (not the second byte of a double-byte character)?
bool Folds(const std::string& pattern, size_t k) {
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (i == k) return Letter(pattern[i]);
    if (Lead(static_cast<unsigned char>(pattern[i]))) {
      if (i + 1 == k) return false;
      ++i;
    }
  }
  return false;
}

bool SameByte(const std::string& pattern, size_t k, char c) {
  return c == pattern[k] || (Folds(pattern, k) && Lower(c) == Lower(pattern[k]));
}

bool EndsWithFolded(const std::string& text, const std::string& pattern) {
  if (text.size() < pattern.size()) return false;
  size_t offset = text.size() - pattern.size();
  for (size_t k = 0; k < pattern.size(); ++k) {
    if (!SameByte(pattern, k, text[offset + k])) return false;
  }
  return true;
}

std::string Mid(const std::string& s, long from, long count) {
  if (from < 0) from = 0;
  if (count <= 0 || static_cast<size_t>(from) >= s.size()) return std::string();
  return s.substr(static_cast<size_t>(from), static_cast<size_t>(count));
}

bool IsTrimSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string TrimLeft(std::string s) {
  while (!s.empty() && IsTrimSpace(s.front())) s.erase(0, 1);
  return s;
}

std::string Trim(std::string s) {
  s = TrimLeft(s);
  while (!s.empty() && IsTrimSpace(s.back())) s.pop_back();
  return s;
}

std::string StripQuotes(std::string v, char q) {
  while (!v.empty() && v.front() == q) v.erase(0, 1);
  while (!v.empty() && v.back() == q) v.pop_back();
  return v;
}

std::string SetValue(const std::string& v) { return StripQuotes(StripQuotes(v, '\''), '"'); }

void ParseAttributes(RefNode& e, const std::string& text) {
  std::string name, value;
  size_t start = 0;
  bool eq = false, dq = false, sq = false;
  int state = 0;
  auto add = [&] {
    e.attributes.push_back({name, value});
    name.clear();
    value.clear();
  };
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    bool last = i == text.size() - 1;
    if (state == 0) {
      if (c == ' ' || c == '=' || c == '>' || (c == '/' && i > 1)) {
        name = text.substr(start, i - start);
        state = 1;
        if (c == '=') eq = true;
        if (c == '>' || c == '/') add();
      } else if (last) {
        name = text.substr(start, i - start + 1);
        add();
      }
    } else if (state == 1) {
      if (c == ' ' || c == '=') {
        if (c == '=') eq = true;
      } else if (eq) {
        start = i;
        state = 2;
        if (c == '"') dq = true;
        if (c == '\'') sq = true;
        if (last) {
          value = SetValue(std::string(1, c));
          add();
        }
      } else {
        add();
        state = 0;
        start = i;
        if (last) {
          name = std::string(1, c);
          add();
        }
      }
    } else if (state == 2) {
      if ((c == '"' && dq) || (c == '\'' && sq) || (c == ' ' && !dq && !sq) || c == '>') {
        bool quote = c == '"' || c == '\'';
        value = SetValue(text.substr(start, i - start + (quote ? 1 : 0)));
        if (!(name.empty() && value.empty())) add();
        state = 3;
        eq = dq = sq = false;
      } else if (last) {
        value = SetValue(text.substr(start, i - start + 1));
        add();
      }
    } else {
      if (!(c == ' ' || c == '\t' || c == '\r' || c == '\n')) {
        start = i;
        state = 0;
        if (last) {
          name = std::string(1, c);
          add();
        }
      }
    }
    if (c == '>') break;
  }
  if (!(name.empty() && value.empty())) add();
}

void ParseStartTag(RefNode& e, const std::string& markup) {
  e.name.clear();
  e.selfClosing = 0;
  e.scriptTag = 0;
  e.attributes.clear();
  size_t lt = markup.find('<');
  if (lt == std::string::npos) {
    auto text = std::make_unique<RefNode>();
    text->type = 3;
    text->name = "#text";
    text->value = markup;
    e.children.push_back(std::move(text));
    return;
  }
  size_t gt = markup.find('>', lt + 1);
  if (gt == std::string::npos) return;
  std::string part = markup.substr(lt + 1, gt - lt - 1);
  if (part.empty()) return;
  if (part.back() == '/') {
    e.selfClosing = 1;
    part.pop_back();
  }
  if (part.size() > 2 && part.front() == '%' && part.back() == '%') {
    e.name = Trim(part.substr(1, part.size() - 2));
    e.scriptTag = 1;
    return;
  }
  size_t sep = part.find_first_of(" \t\r\n");
  if (sep == std::string::npos) {
    e.name = part;
    return;
  }
  e.name = part.substr(0, sep);
  ParseAttributes(e, TrimLeft(part.substr(sep + 1)));
}

std::unique_ptr<RefNode> Leaf(int type, const char* name, const std::string& value) {
  auto n = std::make_unique<RefNode>();
  n->type = type;
  n->name = name;
  n->value = value;
  return n;
}

size_t FindCdataEnd(const std::string& text) {
  size_t i = 9;
  while (i + 3 <= text.size()) {
    if (text.compare(i, 3, "]]>") == 0) return i;
    i += Lead(static_cast<unsigned char>(text[i])) ? 2 : 1;
  }
  return std::string::npos;
}

bool IsLoadSpace(char c) { return c == '\r' || c == '\n' || c == ' ' || c == '\t'; }

}  // namespace

namespace ref {

long FindMatchingEndTag(const std::string& text, const std::string& name) {
  std::string open = "<" + name, close = "</" + name + ">";
  size_t o = 0, c = 0;
  long count = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (SameByte(open, o, text[i])) ++o;
    else o = 0;
    if (o == open.size()) {
      size_t gt = text.find('>', i + 1);
      char before = gt == std::string::npos ? text[text.size() - 1] : text[gt - 1];
      if (before != '/') {
        ++count;
        c = 0;
      }
      o = 0;
    }
    if (SameByte(close, c, text[i])) ++c;
    else c = 0;
    if (c == close.size()) {
      if (count == 0) return static_cast<long>(i - close.size() + 1);
      --count;
      o = 0;
      c = 0;
    }
  }
  return -1;
}

void ParseElement(RefNode& e, const std::string& markup) {
  e.hasEndTag = 1;
  ParseStartTag(e, markup);
  if (e.name.empty()) return;
  std::string endTag = "</" + e.name + ">";
  if (!EndsWithFolded(markup, endTag)) {
    e.hasEndTag = 0;
    return;
  }
  long gt = static_cast<long>(markup.find('>'));
  std::string content = Mid(markup, gt + 1, static_cast<long>(markup.size() - endTag.size()) - (gt + 1));
  if (!content.empty()) ParseContent(content, e);
}

bool ParseContent(const std::string& input, RefNode& parent) {
  std::string text = input;
  while (!text.empty()) {
    size_t b = text.find('<');
    if (b == std::string::npos) {
      parent.children.push_back(Leaf(3, "#text", text));
      return true;
    }
    if (b > 0) {
      parent.children.push_back(Leaf(3, "#text", text.substr(0, b)));
      text = text.substr(b);
      continue;
    }
    if (text.size() >= 7 && text.compare(0, 4, "<!--") == 0) {
      size_t e = text.find("-->");
      if (e == std::string::npos) return false;
      parent.children.push_back(Leaf(8, "#comment", Mid(text, 4, static_cast<long>(e) - 4)));
      text = text.substr(e + 3);
      continue;
    }
    if (text.size() >= 12 && text.compare(0, 9, "<![CDATA[") == 0) {
      size_t e = FindCdataEnd(text);
      if (e == std::string::npos) return false;
      parent.children.push_back(Leaf(4, "#cdata-section", text.substr(9, e - 9)));
      text = text.substr(e + 3);
      continue;
    }
    if (text.find('>') == std::string::npos) {
      parent.children.push_back(Leaf(3, "#text", text));
      return true;
    }
    size_t c = text.find_first_of("> \t\r\n");
    std::string name = text.substr(1, c - 1);
    long g = FindMatchingEndTag(text.substr(c), name);
    std::string markup = g < 0 ? text.substr(0, text.find('>') + 1)
                               : text.substr(0, c + static_cast<size_t>(g) + name.size() + 3);
    auto element = std::make_unique<RefNode>();
    element->name = "";
    ParseElement(*element, markup);
    parent.children.push_back(std::move(element));
    text = text.substr(markup.size());
  }
  return true;
}

std::unique_ptr<RefNode> LoadText(std::string text, bool html, std::string* declared) {
  bool converted = false;
  std::string decoded;
  if (ConvertUtf16WithBom(text, decoded)) {
    text = decoded;
    converted = true;
  }
  std::string encoding;
  if (html) {
    size_t gt = text.find('>');
    if (gt != std::string::npos && text.substr(0, gt).find("<!DOCTYPE") != std::string::npos) text = text.substr(gt + 1);
  } else {
    size_t i = 0;
    while (i < text.size()) {
      if (text[i] != '<') {
        ++i;
        continue;
      }
      if (i + 1 < text.size() && (text[i + 1] == '?' || text[i + 1] == '!')) {
        // Comments end at "-->", processing instructions at "?>", other items at ">".
        size_t gt = std::string::npos;
        if (text.compare(i, 4, "<!--") == 0 && text.find("-->", i + 4) != std::string::npos) gt = text.find("-->", i + 4) + 2;
        else if (text[i + 1] == '?' && text.find("?>", i + 2) != std::string::npos) gt = text.find("?>", i + 2) + 1;
        else gt = text.find('>', i);
        if (gt == std::string::npos) break;
        RefNode item;
        ParseElement(item, text.substr(i, gt - i + 1));
        if (item.name == "?xml") {
          encoding.clear();
          for (auto& a : item.attributes) {
            if (a.first == "encoding") {
              encoding = a.second;
              break;
            }
          }
        }
        i = gt + 1;
        continue;
      }
      text = text.substr(i);
      break;
    }
  }
  while (!text.empty() && IsLoadSpace(text.front())) text.erase(0, 1);
  while (!text.empty() && IsLoadSpace(text.back())) text.pop_back();
  if (!html) {
    // Comments, processing instructions and white space after the root go.
    for (;;) {
      while (!text.empty() && IsLoadSpace(text.back())) text.pop_back();
      size_t n = text.size();
      size_t p = std::string::npos;
      if (n >= 7 && text.compare(n - 3, 3, "-->") == 0) p = text.rfind("<!--", n - 7);
      else if (n >= 4 && text.compare(n - 2, 2, "?>") == 0) p = text.rfind("<?", n - 4);
      if (p == std::string::npos || p == 0) break;
      text = text.substr(0, p);
    }
  }
  if (!converted) {
    std::string declaredName = html ? FindHtmlMetaCharset(text) : encoding;
    bool iso2022 = IsIso2022EncodingName(declaredName) && text.find('\x1B') != std::string::npos;
    std::string out;
    if ((IsValidUtf8(text) || IsValidUtf8AllPlanes(text)) && !iso2022) {
      text = Utf8ToAnsi(text);
    } else if (ShouldConvertFromDeclared(declaredName) && ConvertToAnsi(text, declaredName, out)) {
      text = out;
    }
  }
  if (declared) *declared = encoding;
  auto root = std::make_unique<RefNode>();
  ParseElement(*root, text);
  return root;
}

}  // namespace ref

namespace {

std::string Show(const std::string& s) {
  std::string out;
  for (unsigned char c : s.substr(0, 60)) {
    if (c >= 0x20 && c < 0x7F) out += static_cast<char>(c);
    else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", c);
      out += buf;
    }
  }
  if (s.size() > 60) out += "...";
  return out;
}

}  // namespace

std::string CompareTrees(const RefNode& expected, const CVXMLNode& actual) {
  std::vector<std::pair<const RefNode*, const CVXMLNode*>> stack{{&expected, &actual}};
  while (!stack.empty()) {
    auto [e, a] = stack.back();
    stack.pop_back();
    std::ostringstream where;
    where << "node '" << Show(e->name) << "' value '" << Show(e->value) << "': ";
    if (e->type != a->GetNodeType()) return where.str() + "type " + std::to_string(a->GetNodeType());
    if (e->name != a->NodeName()) return where.str() + "name '" + Show(std::string(a->NodeName())) + "'";
    if (e->type != 1 && e->value != a->NodeValue()) return where.str() + "value '" + Show(std::string(a->NodeValue())) + "'";
    if (e->type == 1) {
      const auto* el = static_cast<const CVXMLElement*>(a);
      if (el->m_selfClosing != e->selfClosing || el->m_scriptTag != e->scriptTag || el->m_hasEndTag != e->hasEndTag) {
        return where.str() + "flags " + std::to_string(el->m_selfClosing) + std::to_string(el->m_scriptTag) +
               std::to_string(el->m_hasEndTag);
      }
      const auto& attrs = el->GetAttributes();
      if (attrs.size() != e->attributes.size()) return where.str() + "attribute count " + std::to_string(attrs.size());
      for (size_t i = 0; i < attrs.size(); ++i) {
        if (attrs[i].NodeName() != e->attributes[i].first || attrs[i].NodeValue() != e->attributes[i].second) {
          return where.str() + "attribute " + Show(std::string(attrs[i].NodeName())) + "=" + Show(std::string(attrs[i].NodeValue()));
        }
      }
    }
    const CVXMLNodeList& kids = *a->GetChildNodes();
    if (kids.size() != e->children.size()) {
      return where.str() + "child count " + std::to_string(kids.size()) + " expected " + std::to_string(e->children.size());
    }
    for (size_t i = kids.size(); i-- > 0;) stack.emplace_back(e->children[i].get(), kids[i]);
  }
  return std::string();
}

std::string DumpTree(const RefNode& node) {
  std::ostringstream out;
  std::vector<std::pair<const RefNode*, int>> stack{{&node, 0}};
  while (!stack.empty()) {
    auto [n, depth] = stack.back();
    stack.pop_back();
    out << std::string(static_cast<size_t>(depth) * 2, ' ');
    if (n->type == 1) {
      out << "<" << Show(n->name) << ">";
      for (auto& a : n->attributes) out << " " << Show(a.first) << "=" << Show(a.second);
      out << " [" << n->selfClosing << n->scriptTag << n->hasEndTag << "]\n";
    } else {
      out << n->type << " '" << Show(n->value) << "'\n";
    }
    for (size_t i = n->children.size(); i-- > 0;) stack.emplace_back(n->children[i].get(), depth + 1);
  }
  return out.str();
}
