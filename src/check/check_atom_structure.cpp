#include "check/check_atom_structure.h"

#include <cstring>
#include <initializer_list>

#include "check/check_dates.h"
#include "check/check_nodes.h"

namespace {

const char* C(const xmlChar* s) { return reinterpret_cast<const char*>(s); }

constexpr const char* kXmlNs = "http://www.w3.org/XML/1998/namespace";

bool IsAtom(const xmlNode* node) {
  return node->ns && node->ns->href && std::strcmp(C(node->ns->href), kAtom10Ns) == 0;
}
bool IsXhtml(const xmlNode* node) {
  return node->ns && node->ns->href && std::strcmp(C(node->ns->href), kXhtmlNs) == 0;
}

// A value of a token type: white space collapsed (as the schema's enumerated values compare).
std::string Token(std::string_view value) {
  std::string out;
  for (char c : TrimSpace(value)) {
    if (IsXmlSpace(c)) {
      if (out.empty() || out.back() != ' ') out += ' ';
    } else {
      out += c;
    }
  }
  return out;
}

// ".+" of a schema pattern: one or more characters other than line ends.
bool NoLineEnd(std::string_view s) { return s.find_first_of("\r\n") == std::string_view::npos; }

// ".+/.+" and ".+@.+": some text, the separator, some text, no line end anywhere.
bool AroundSeparator(std::string_view s, char separator) {
  if (!NoLineEnd(s)) return false;
  size_t first = s.find(separator);
  return first != std::string_view::npos && first > 0 && s.find_last_of(separator) + 1 < s.size();
}

class CStructure {
public:
  explicit CStructure(CCheckReport& report) : m_report(report) {}
  bool Valid() const { return m_valid; }

  void Document(const xmlNode* root) {
    if (IsNamed(root, "feed")) Feed(root);
    else Entry(root);
  }

private:
  enum class Kind { Feed, Entry, Source };

  void Fault(CheckRule rule, const xmlNode* node, std::string_view arg1 = {}, std::string_view arg2 = {}) {
    m_valid = false;
    m_report.AtNode(rule, node, arg1, arg2);
  }
  void AttributeFault(CheckRule rule, const xmlNode* node, const char* attribute, std::string_view arg1,
                      std::string_view arg2 = {}) {
    m_valid = false;
    m_report.AtAttribute(rule, node, attribute, arg1, arg2);
  }

  // xml:base and xml:lang, attributes in other namespaces, and the unqualified ones in `local`.
  void Attributes(const xmlNode* node, std::initializer_list<const char*> local) {
    for (const xmlAttr* a = node->properties; a; a = a->next) {
      const char* name = C(a->name);
      if (!a->ns) {
        bool known = false;
        for (const char* l : local) known = known || std::strcmp(l, name) == 0;
        if (!known) AttributeFault(CheckRule::UnexpectedAttribute, node, name, QualifiedName(node), name);
      } else if (a->ns->href && std::strcmp(C(a->ns->href), kXmlNs) == 0 && std::strcmp(name, "lang") == 0) {
        std::string storage;
        const std::string_view value = AttributeView(node, "lang", storage, kXmlNs);
        if (!IsAtomLanguageTag(value)) AttributeFault(CheckRule::LanguageTag, node, "xml:lang", value);
      }
    }
  }

  // Text and child elements other than in `allowed` (nullptr: none); reports text that is more than
  // white space when `textAllowed` is false.
  void NoText(const xmlNode* node) {
    for (const xmlNode* c = node->children; c; c = c->next) {
      if ((c->type == XML_TEXT_NODE || c->type == XML_CDATA_SECTION_NODE) && c->content && !IsBlank(C(c->content))) {
        Fault(CheckRule::UnexpectedText, node, QualifiedName(node), TrimSpace(C(c->content)));
        return;
      }
      if (c->type == XML_ENTITY_REF_NODE) {
        Fault(CheckRule::UnexpectedText, node, QualifiedName(node), std::string("&") + C(c->name) + ";");
        return;
      }
    }
  }

  // Text only: every child element is out of place (an entity whose text holds elements too).
  void TextOnly(const xmlNode* node) {
    for (const xmlNode* c = node->children; c; c = c->next) {
      if (c->type == XML_ELEMENT_NODE) {
        Fault(CheckRule::UnexpectedElement, c, QualifiedName(c), QualifiedName(node));
        return;
      }
      if (c->type == XML_ENTITY_REF_NODE && c->children) {
        for (const xmlNode* e = c->children->children; e; e = e->next) {
          if (e->type == XML_ELEMENT_NODE) {
            Fault(CheckRule::UnexpectedElement, node, QualifiedName(e), QualifiedName(node));
            return;
          }
        }
      }
    }
  }

  // Content that only foreign elements may join: text, and elements outside the Atom namespace.
  void UndefinedContent(const xmlNode* node) {
    for (const xmlNode* c = FirstElement(node); c; c = NextElement(c)) {
      if (IsAtom(c)) Fault(CheckRule::UnexpectedElement, c, QualifiedName(c), QualifiedName(node));
    }
  }

  void Uri(const xmlNode* node) {
    Attributes(node, {});
    TextOnly(node);
  }

  void Date(const xmlNode* node) {
    Attributes(node, {});
    TextOnly(node);
    std::string storage;
    const std::string_view text = OwnTextView(node, storage);
    if (!IsXsdDateTime(text)) {
      m_valid = false;
      if (!m_report.HasErrorAt(node)) m_report.AtNode(CheckRule::Rfc3339Date, node, TrimSpace(text));
    }
  }

  // title, subtitle, rights, summary.
  void Text(const xmlNode* node) {
    Attributes(node, {"type"});
    bool found = false;
    std::string storage;
    const std::string type = Token(AttributeView(node, "type", storage, nullptr, &found));
    if (!found || type == "text" || type == "html") TextOnly(node);
    else if (type == "xhtml") XhtmlDiv(node);
    else AttributeFault(CheckRule::AtomTextType, node, "type", type);
  }

  // One xhtml:div and white space around it; inside, XHTML elements only.
  void XhtmlDiv(const xmlNode* node) {
    NoText(node);
    const xmlNode* div = FirstElement(node);
    if (!div) {
      Fault(CheckRule::MissingElement, node, "xhtml:div");
      return;
    }
    if (!IsXhtml(div) || !IsNamed(div, "div")) {
      Fault(CheckRule::UnexpectedElement, div, QualifiedName(div), QualifiedName(node));
      return;
    }
    if (const xmlNode* more = NextElement(div)) {
      Fault(CheckRule::UnexpectedElement, more, QualifiedName(more), QualifiedName(node));
      return;
    }
    // Markup of other vocabularies inside the XHTML (SVG, MathML) is a warning: readers show it, though
    // the schema of RFC 4287 takes only XHTML there.
    for (const xmlNode* d = FirstElement(div); d; d = NextInWalk(d, div, d->type == XML_ELEMENT_NODE)) {
      if (d->type == XML_ELEMENT_NODE && !IsXhtml(d)) {
        m_valid = false;
        m_report.AtNode(CheckRule::ForeignInXhtml, d, QualifiedName(d));
        return;
      }
    }
  }

  void Content(const xmlNode* node) {
    Attributes(node, {"type", "src"});
    bool hasType = false;
    std::string storage;
    const std::string_view rawType = AttributeView(node, "type", storage, nullptr, &hasType);
    const bool hasSrc = HasAttribute(node, "src");
    const std::string type = Token(rawType);
    if (hasSrc) {
      if (hasType && !AroundSeparator(rawType, '/')) AttributeFault(CheckRule::MediaType, node, "type", rawType);
      NoText(node);
      if (const xmlNode* c = FirstElement(node)) {
        Fault(CheckRule::ContentSrcNotEmpty, c);
      }
      return;
    }
    if (!hasType) return;  // text, or any markup
    if (type == "text" || type == "html") TextOnly(node);
    else if (type == "xhtml") XhtmlDiv(node);
    else if (!AroundSeparator(rawType, '/')) AttributeFault(CheckRule::MediaType, node, "type", rawType);
  }

  void Person(const xmlNode* node) {
    Attributes(node, {});
    NoText(node);
    const xmlNode *name = nullptr, *uri = nullptr, *email = nullptr;
    for (const xmlNode* c = FirstElement(node); c; c = NextElement(c)) {
      if (!IsAtom(c)) continue;
      const xmlNode** slot = IsNamed(c, "name") ? &name : IsNamed(c, "uri") ? &uri : IsNamed(c, "email") ? &email : nullptr;
      if (!slot) {
        Fault(CheckRule::UnexpectedElement, c, QualifiedName(c), QualifiedName(node));
        continue;
      }
      if (*slot) Fault(CheckRule::DuplicateElement, c, QualifiedName(c), QualifiedName(node));
      else *slot = c;
      Attributes(c, {});
      TextOnly(c);
      if (slot == &email) {
        std::string storage;
        const std::string_view value = OwnTextView(c, storage);
        if (!AroundSeparator(value, '@')) {
          m_valid = false;
          if (!m_report.HasErrorAt(c)) m_report.AtNode(CheckRule::EmailAddress, c, value);
        }
      }
    }
    if (!name) Fault(CheckRule::MissingElement, node, "name");
  }

  void Link(const xmlNode* node) {
    Attributes(node, {"href", "rel", "type", "hreflang", "title", "length"});
    if (!HasAttribute(node, "href")) Fault(CheckRule::MissingAttribute, node, QualifiedName(node), "href");
    bool found = false;
    std::string storage;
    std::string_view value = AttributeView(node, "type", storage, nullptr, &found);
    if (found && !AroundSeparator(value, '/')) AttributeFault(CheckRule::MediaType, node, "type", value);
    value = AttributeView(node, "hreflang", storage, nullptr, &found);
    if (found && !IsAtomLanguageTag(value)) AttributeFault(CheckRule::LanguageTag, node, "hreflang", value);
    UndefinedContent(node);
  }

  void Category(const xmlNode* node) {
    Attributes(node, {"term", "scheme", "label"});
    if (!HasAttribute(node, "term")) Fault(CheckRule::MissingAttribute, node, QualifiedName(node), "term");
    UndefinedContent(node);
  }

  void Generator(const xmlNode* node) {
    Attributes(node, {"uri", "version"});
    TextOnly(node);
  }

  // The children of a feed, an entry or a source: what may stand there, how often, and (in a feed)
  // entries after everything else.
  void Container(const xmlNode* node, Kind kind) {
    Attributes(node, {});
    NoText(node);
    // What may stand in a feed or a source, in an entry, how often, and what a feed and an entry need.
    struct CSeen {
      const char* name;
      bool once, inFeed, inEntry, required;
      int count;
    };
    CSeen seen[] = {{"author", false, true, true, false, 0},      {"category", false, true, true, false, 0},
                    {"contributor", false, true, true, false, 0}, {"generator", true, true, false, false, 0},
                    {"icon", true, true, false, false, 0},        {"id", true, true, true, true, 0},
                    {"link", false, true, true, false, 0},        {"logo", true, true, false, false, 0},
                    {"rights", true, true, true, false, 0},       {"subtitle", true, true, false, false, 0},
                    {"title", true, true, true, true, 0},         {"updated", true, true, true, true, 0},
                    {"content", true, false, true, false, 0},     {"published", true, false, true, false, 0},
                    {"source", true, false, true, false, 0},      {"summary", true, false, true, false, 0}};
    bool afterEntry = false;
    for (const xmlNode* c = FirstElement(node); c; c = NextElement(c)) {
      if (kind == Kind::Feed && IsAtom(c) && IsNamed(c, "entry")) {
        afterEntry = true;
        Entry(c);
        continue;
      }
      if (afterEntry) {
        // The schema puts entries last; readers take the feed's elements wherever they stand.
        m_valid = false;
        m_report.AtNode(CheckRule::ElementAfterEntry, c, QualifiedName(c));
      }
      if (!IsAtom(c)) continue;  // an extension element
      CSeen* s = nullptr;
      for (CSeen& candidate : seen) {
        if (IsNamed(c, candidate.name) && (kind == Kind::Entry ? candidate.inEntry : candidate.inFeed)) {
          s = &candidate;
          break;
        }
      }
      if (!s) {
        Fault(CheckRule::UnexpectedElement, c, QualifiedName(c), QualifiedName(node));
        continue;
      }
      if (s->once && s->count > 0) Fault(CheckRule::DuplicateElement, c, QualifiedName(c), QualifiedName(node));
      ++s->count;
      Child(c);
    }
    if (kind == Kind::Source) return;
    for (const CSeen& s : seen) {
      if (s.count == 0 && s.required) Fault(CheckRule::MissingElement, node, s.name);
    }
  }

  void Child(const xmlNode* c) {
    const char* name = C(c->name);
    if (!std::strcmp(name, "author") || !std::strcmp(name, "contributor")) Person(c);
    else if (!std::strcmp(name, "category")) Category(c);
    else if (!std::strcmp(name, "generator")) Generator(c);
    else if (!std::strcmp(name, "icon") || !std::strcmp(name, "id") || !std::strcmp(name, "logo")) Uri(c);
    else if (!std::strcmp(name, "link")) Link(c);
    else if (!std::strcmp(name, "updated") || !std::strcmp(name, "published")) Date(c);
    else if (!std::strcmp(name, "content")) Content(c);
    else if (!std::strcmp(name, "source")) Container(c, Kind::Source);
    else Text(c);  // title, subtitle, rights, summary
  }

  void Feed(const xmlNode* node) { Container(node, Kind::Feed); }
  void Entry(const xmlNode* node) { Container(node, Kind::Entry); }

  CCheckReport& m_report;
  bool m_valid = true;
};

bool IsLeapYear(long y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool CheckAtom10Structure(const xmlNode* root, CCheckReport& report) {
  CStructure structure(report);
  structure.Document(root);
  return structure.Valid();
}

bool IsXsdDateTime(std::string_view text) {
  std::string_view s = TrimSpace(text);
  size_t i = 0;
  auto digits = [&](size_t n, int& value) {
    if (i + n > s.size()) return false;
    value = 0;
    for (size_t k = 0; k < n; ++k) {
      if (!IsAsciiDigit(s[i + k])) return false;
      value = value * 10 + (s[i + k] - '0');
    }
    i += n;
    return true;
  };
  auto take = [&](char c) {
    if (i < s.size() && s[i] == c) {
      ++i;
      return true;
    }
    return false;
  };
  const bool negative = take('-');
  size_t yearStart = i;
  while (i < s.size() && IsAsciiDigit(s[i])) ++i;
  size_t yearDigits = i - yearStart;
  if (yearDigits < 4 || yearDigits > 9 || (yearDigits > 4 && s[yearStart] == '0')) return false;
  long year = 0;
  for (size_t k = yearStart; k < i; ++k) year = year * 10 + (s[k] - '0');
  if (year == 0) return false;
  if (negative) year = -year;
  int month, day, hour, minute, second;
  if (!take('-') || !digits(2, month) || month < 1 || month > 12 || !take('-') || !digits(2, day)) return false;
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const int days = month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
  if (day < 1 || day > days) return false;
  if (!take('T') || !digits(2, hour) || !take(':') || !digits(2, minute) || !take(':') || !digits(2, second)) return false;
  bool fractionZero = true;
  if (take('.')) {
    size_t start = i;
    for (; i < s.size() && IsAsciiDigit(s[i]); ++i) fractionZero = fractionZero && s[i] == '0';
    if (i == start) return false;
  }
  if (minute > 59 || second > 59) return false;
  if (hour > 24 || (hour == 24 && (minute || second || !fractionZero))) return false;
  if (i == s.size() || take('Z')) return i == s.size();
  if (s[i] != '+' && s[i] != '-') return false;
  ++i;
  int zh, zm;
  if (!digits(2, zh) || !take(':') || !digits(2, zm) || i != s.size()) return false;
  return zm <= 59 && zh * 60 + zm <= 14 * 60;
}

bool IsAtomLanguageTag(std::string_view text) {
  size_t i = 0;
  bool first = true;
  while (true) {
    size_t start = i;
    while (i < text.size() && ((text[i] >= 'a' && text[i] <= 'z') || (text[i] >= 'A' && text[i] <= 'Z') ||
                               (!first && IsAsciiDigit(text[i])))) {
      ++i;
    }
    if (i == start || i - start > 8) return false;
    if (i == text.size()) return true;
    if (text[i] != '-') return false;
    ++i;
    first = false;
  }
}
