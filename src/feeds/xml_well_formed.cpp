// A strict well-formedness check for the markup the feed writers produce.
#include "feeds/xml_well_formed.h"

#include <cstdint>
#include <string>
#include <vector>

#include "feeds/xml_name_chars.h"
#include "platform/text_codec.h"

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The character of UTF-8 text at `pos` and its length in bytes; a malformed sequence gives U+FFFD
// (which is no name character) and length 1.
char32_t DecodeAt(std::string_view text, size_t pos, size_t& length) {
  const unsigned char lead = static_cast<unsigned char>(text[pos]);
  length = 1;
  if (lead < 0x80) return lead;
  const size_t n = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  if (n == 0 || pos + n > text.size()) return 0xFFFD;
  char32_t c = lead & (0x7F >> n);
  for (size_t i = 1; i < n; ++i) {
    const unsigned char next = static_cast<unsigned char>(text[pos + i]);
    if ((next & 0xC0) != 0x80) return 0xFFFD;
    c = c << 6 | (next & 0x3F);
  }
  length = n;
  return c;
}
bool IsForbiddenControl(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return u < 0x20 && c != '\t' && c != '\n' && c != '\r';
}

class CChecker {
public:
  CChecker(std::string_view text, bool allowPrefixes) : m_text(text), m_allowPrefixes(allowPrefixes) {}

  // Content from the current position to the end; with `oneRoot`, exactly one element and white space.
  bool Content(bool oneRoot) {
    std::vector<std::string_view> open;
    int roots = 0;
    while (m_pos < m_text.size()) {
      const char c = m_text[m_pos];
      if (c == '<') {
        if (Starts("<!--")) {
          if (!Comment()) return false;
        } else if (Starts("<![CDATA[")) {
          if (oneRoot && open.empty()) return false;
          size_t end = m_text.find("]]>", m_pos + 9);
          if (end == std::string_view::npos || !NoControls(m_pos + 9, end)) return false;
          m_pos = end + 3;
        } else if (Starts("</")) {
          m_pos += 2;
          std::string_view name;
          if (!Name(name)) return false;
          SkipSpace();
          if (!Take('>') || open.empty() || open.back() != name) return false;
          open.pop_back();
        } else if (Starts("<?") || Starts("<!")) {
          return false;
        } else {
          if (oneRoot && open.empty() && ++roots > 1) return false;
          ++m_pos;
          std::string_view name;
          bool empty = false;
          if (!StartTag(name, empty)) return false;
          if (!empty) open.push_back(name);
        }
        continue;
      }
      if (oneRoot && open.empty() && !IsSpace(c)) return false;
      if (c == '&') {
        if (!Reference()) return false;
        continue;
      }
      if (c == ']' && Starts("]]>")) return false;
      if (IsForbiddenControl(c)) return false;
      ++m_pos;
    }
    return open.empty() && (!oneRoot || roots == 1);
  }

  // An optional XML declaration at the start.
  bool Declaration() {
    if (!Starts("<?xml")) return true;
    size_t end = m_text.find("?>", m_pos);
    if (end == std::string_view::npos || !NoControls(m_pos, end)) return false;
    m_pos = end + 2;
    return true;
  }

private:
  bool Starts(std::string_view s) const { return m_text.substr(m_pos, s.size()) == s; }
  bool Take(char c) {
    if (m_pos >= m_text.size() || m_text[m_pos] != c) return false;
    ++m_pos;
    return true;
  }
  bool SkipSpace() {
    size_t start = m_pos;
    while (m_pos < m_text.size() && IsSpace(m_text[m_pos])) ++m_pos;
    return m_pos > start;
  }
  bool NoControls(size_t begin, size_t end) const {
    for (size_t i = begin; i < end; ++i) {
      if (IsForbiddenControl(m_text[i])) return false;
    }
    return true;
  }

  // A name by XML 1.0's rules, character by character (the text is UTF-8).
  bool Name(std::string_view& name) {
    size_t start = m_pos;
    size_t length = 0;
    if (m_pos >= m_text.size() || !IsXmlNameStartChar(DecodeAt(m_text, m_pos, length))) return false;
    m_pos += length;
    while (m_pos < m_text.size() && IsXmlNameChar(DecodeAt(m_text, m_pos, length))) m_pos += length;
    name = m_text.substr(start, m_pos - start);
    if (!m_allowPrefixes && name.find(':') != std::string_view::npos) return false;
    return true;
  }

  // After "<": name, attributes, ">" or "/>".
  bool StartTag(std::string_view& name, bool& empty) {
    if (!Name(name)) return false;
    std::vector<std::string_view> attributes;
    for (;;) {
      const bool spaced = SkipSpace();
      if (Take('>')) return true;
      if (Starts("/>")) {
        m_pos += 2;
        empty = true;
        return true;
      }
      std::string_view attribute;
      if (!spaced || !Name(attribute)) return false;
      if (!m_allowPrefixes && attribute.substr(0, 5) == "xmlns") return false;
      for (std::string_view seen : attributes) {
        if (seen == attribute) return false;
      }
      attributes.push_back(attribute);
      SkipSpace();
      if (!Take('=')) return false;
      SkipSpace();
      if (m_pos >= m_text.size()) return false;
      const char quote = m_text[m_pos];
      if (quote != '"' && quote != '\'') return false;
      ++m_pos;
      for (;;) {
        if (m_pos >= m_text.size()) return false;
        const char c = m_text[m_pos];
        if (c == quote) break;
        if (c == '<' || IsForbiddenControl(c)) return false;
        if (c == '&') {
          if (!Reference()) return false;
          continue;
        }
        ++m_pos;
      }
      ++m_pos;
    }
  }

  // "&lt;" and the other four, "&#N;", "&#xN;" naming an XML character.
  bool Reference() {
    ++m_pos;
    if (Take('#')) {
      const bool hex = Take('x');
      std::uint32_t value = 0;
      size_t digits = 0;
      for (; m_pos < m_text.size(); ++m_pos, ++digits) {
        const char c = m_text[m_pos];
        int d = IsDigit(c) ? c - '0' : -1;
        if (hex && c >= 'a' && c <= 'f') d = c - 'a' + 10;
        if (hex && c >= 'A' && c <= 'F') d = c - 'A' + 10;
        if (d < 0) break;
        value = value * (hex ? 16 : 10) + static_cast<std::uint32_t>(d);
        if (value > 0x10FFFF) return false;
      }
      if (digits == 0 || !Take(';')) return false;
      if (value < 0x20) return value == 0x9 || value == 0xA || value == 0xD;
      return !(value >= 0xD800 && value <= 0xDFFF) && value != 0xFFFE && value != 0xFFFF;
    }
    for (std::string_view name : {"amp;", "lt;", "gt;", "quot;", "apos;"}) {
      if (Starts(name)) {
        m_pos += name.size();
        return true;
      }
    }
    return false;
  }

  bool Comment() {
    size_t end = m_text.find("--", m_pos + 4);
    if (end == std::string_view::npos || m_text.substr(end, 3) != "-->" || !NoControls(m_pos + 4, end)) return false;
    m_pos = end + 3;
    return true;
  }

  std::string_view m_text;
  bool m_allowPrefixes;
  size_t m_pos = 0;
};

}  // namespace

bool IsWellFormedXmlContent(std::string_view text, bool allowPrefixes) {
  // The names are judged on the characters the feed will hold, so internal text goes to UTF-8 first
  // (ASCII text is the same in both).
  std::string utf8;
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) {
      utf8 = AnsiToUtf8(text);
      text = utf8;
      break;
    }
  }
  CChecker checker(text, allowPrefixes);
  return checker.Content(false);
}

bool IsWellFormedXmlDocument(std::string_view text) {
  if (text.find('\0') != std::string_view::npos || !IsValidUtf8AllPlanes(text)) return false;
  CChecker checker(text, true);
  return checker.Declaration() && checker.Content(true);
}
