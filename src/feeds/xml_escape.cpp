// Escaping of text that the feed writers put into XML.
#include "feeds/xml_escape.h"

#include "platform/sjis.h"

namespace {

bool IsTrail(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

bool IsNameStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':'; }
bool IsNameChar(char c) { return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }
bool IsHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// Whether text[amp] == '&' begins "&name;", "&#N;" or "&#xN;".
bool BeginsReference(const std::string& text, std::size_t amp) {
  std::size_t pos = amp + 1;
  const std::size_t size = text.size();
  if (pos < size && text[pos] == '#') {
    ++pos;
    bool hex = pos < size && text[pos] == 'x';
    if (hex) ++pos;
    std::size_t start = pos;
    while (pos < size && (hex ? IsHex(text[pos]) : (text[pos] >= '0' && text[pos] <= '9'))) ++pos;
    return pos > start && pos < size && text[pos] == ';';
  }
  if (pos >= size || !IsNameStart(text[pos])) return false;
  while (pos < size && IsNameChar(text[pos])) ++pos;
  return pos < size && text[pos] == ';';
}

std::string EscapeBare(const std::string& text, bool attribute) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '&' && !BeginsReference(text, i)) out += "&amp;";
    else if (attribute && c == '<') out += "&lt;";
    else if (attribute && c == '"') out += "&quot;";
    else out += c;
  }
  return out;
}

}  // namespace

std::string EscapeXmlText(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  std::size_t copied = 0;  // text[copied, i) is still to be copied, in one piece
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char* escaped;
    switch (text[i]) {
      case '&': escaped = "&amp;"; break;
      case '<': escaped = "&lt;"; break;
      case '>': escaped = "&gt;"; break;
      case '"': escaped = "&quot;"; break;
      case '\'': escaped = "&apos;"; break;
      default: continue;
    }
    out.append(text, copied, i - copied);
    out += escaped;
    copied = i + 1;
  }
  out.append(text, copied, text.size() - copied);
  return out;
}

std::string StripXmlForbiddenChars(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (CharLengthAt(text, i) == 2 && IsTrail(static_cast<unsigned char>(text[i + 1]))) {
      out.append(text, i, 2);
      ++i;
      continue;
    }
    if (c < 0x20 && c != '\t' && c != '\n' && c != '\r') continue;
    out += static_cast<char>(c);
  }
  return out;
}

std::string EscapeBareAmpersands(const std::string& text) { return EscapeBare(text, false); }

std::string EscapeAttributeText(const std::string& text) { return EscapeBare(text, true); }

std::vector<std::string> SplitCdataContent(const std::string& content) {
  // Byte by byte on purpose: a "]" after a lead byte whose pair the code page does not define is
  // written as a "]" of its own, so every "]]>" of bytes is cut. A cut before ">" never splits a
  // character, as ">" is never a second byte.
  std::vector<std::string> pieces;
  std::size_t start = 0;
  for (std::size_t found = content.find("]]>"); found != std::string::npos; found = content.find("]]>", found + 2)) {
    pieces.push_back(content.substr(start, found + 2 - start));
    start = found + 2;
  }
  pieces.push_back(content.substr(start));
  return pieces;
}
