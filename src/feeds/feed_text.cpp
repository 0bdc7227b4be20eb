// How the feed writers put project text into XML elements and attributes.
#include "feeds/feed_text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>

#include "feeds/char_refs.h"
#include "feeds/xml_escape.h"
#include "feeds/xml_well_formed.h"
#include "platform/byte_scan.h"
#include "platform/text_codec.h"
#include "xml/vxml_character_data.h"
#include "xml/vxml_element.h"
#include "xml/vxml_options.h"

namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsXmlChar(std::uint32_t cp) {
  if (cp < 0x20) return cp == 0x09 || cp == 0x0A || cp == 0x0D;
  if (cp >= 0xD800 && cp <= 0xDFFF) return false;
  return cp != 0xFFFE && cp != 0xFFFF && cp <= 0x10FFFF;
}

bool HasHighByte(const std::string& text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  }
  return false;
}

// Bytes below 0x20 that XML allows: tab, line feed, carriage return.
constexpr std::uint32_t kAllowedControls = (1u << '\t') | (1u << '\n') | (1u << '\r');

inline bool IsForbiddenControl(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  return u < 0x20 && !((kAllowedControls >> u) & 1u);
}

// Bytes below 0x40 that the plain-text checks stop at: `stops` has bit c set for each such byte c.
bool HasByteOf(std::string_view text, std::uint64_t stops) {
  for (char c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x40 && ((stops >> u) & 1u)) return true;
  }
  return false;
}

// Whether the text holds a forbidden control character. Content is long and nearly always clean, so
// eight bytes are checked at once for any byte below 0x20; only a word that has one (a line break or
// tab, mostly) is looked at byte by byte.
bool HasForbiddenControl(std::string_view text) {
  const char* p = text.data();
  const size_t n = text.size();
  size_t i = 0;
  auto controls = [](std::uint64_t word) { return FlagBytesBelow(word, 0x20); };
  while ((i = SkipUnflaggedWords(p, i, n, controls)) + 8 <= n) {
    for (size_t k = 0; k < 8; ++k) {
      if (IsForbiddenControl(p[i + k])) return true;
    }
    i += 8;
  }
  for (; i < n; ++i) {
    if (IsForbiddenControl(p[i])) return true;
  }
  return false;
}

constexpr std::uint64_t Bit(char c) { return std::uint64_t{1} << static_cast<unsigned char>(c); }
constexpr std::uint64_t kForbiddenBits = 0xFFFFFFFFu & ~static_cast<std::uint64_t>(kAllowedControls);
// What FeedEscapedText changes: forbidden controls and the five escaped characters.
constexpr std::uint64_t kTextStops = kForbiddenBits | Bit('&') | Bit('<') | Bit('>') | Bit('"') | Bit('\'');
// What FeedUrlText or FeedAttributeText may change.
constexpr std::uint64_t kUrlStops = kForbiddenBits | Bit('&') | Bit('<') | Bit('>') | Bit('"');

// Whether the text holds a byte that escaping or dropping would change; most item text has none.
bool NeedsEscaping(std::string_view text) { return HasByteOf(text, kTextStops); }

// The text without the C0 controls XML forbids. A control byte is never part of a double-byte
// character (second bytes start at 0x40), so every one of them goes. Most text has none and is only
// scanned.
std::string DropForbidden(std::string_view text) {
  auto first = std::find_if(text.begin(), text.end(), IsForbiddenControl);
  if (first == text.end()) return std::string(text);
  std::string out(text.begin(), first);
  std::copy_if(first, text.end(), std::back_inserter(out), [](char c) { return !IsForbiddenControl(c); });
  return out;
}

// Text in which every double-byte character is whole. The file is written as UTF-8, and the conversion
// joins a lead byte with whatever follows it; a lead byte at the end of a text would swallow the first
// "]" of "]]>" or a byte of the markup after it. A round trip through UTF-8 gives the same characters
// with each broken sequence replaced.
std::string WholeCharacters(const std::string& text) {
  if (!HasHighByte(text)) return text;
  return Utf8ToAnsi(AnsiToUtf8(text));
}

// The length of the reference at text[amp] == '&' that may stay as written, or 0. `named` receives
// the character of an HTML named entity (to be written as a numeric reference).
std::size_t KeptReference(std::string_view text, std::size_t amp, std::uint32_t& named) {
  named = 0;
  std::size_t pos = amp + 1;
  const std::size_t size = text.size();
  if (pos < size && text[pos] == '#') {
    ++pos;
    const bool hex = pos < size && text[pos] == 'x';
    if (hex) ++pos;
    std::uint32_t value = 0;
    std::size_t start = pos;
    for (; pos < size; ++pos) {
      int d = hex ? HexValue(text[pos]) : (IsDigit(text[pos]) ? text[pos] - '0' : -1);
      if (d < 0) break;
      if (value <= 0x10FFFF) value = value * (hex ? 16 : 10) + static_cast<std::uint32_t>(d);
    }
    if (pos == start || pos >= size || text[pos] != ';' || !IsXmlChar(value)) return 0;
    return pos + 1 - amp;
  }
  std::size_t start = pos;
  while (pos < size && pos - start <= 8 && (IsAsciiLetter(text[pos]) || (pos > start && IsDigit(text[pos])))) ++pos;
  if (pos == start || pos >= size || text[pos] != ';') return 0;
  const std::string_view name = text.substr(start, pos - start);
  if (name == "amp" || name == "lt" || name == "gt" || name == "quot" || name == "apos") return pos + 1 - amp;
  named = HtmlEntityCodePoint(name);
  return named != 0 ? pos + 1 - amp : 0;
}

// RepairReferences, and the listed characters escaped as well. Plain runs go over in one piece.
std::string RepairAndEscape(std::string_view text, bool lt, bool gt, bool quote) {
  std::string out;
  out.reserve(text.size() + 16);
  std::size_t copied = 0;  // text[copied, i) is still to be copied
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const char* escaped = nullptr;
    if (c == '&') {
      std::uint32_t named = 0;
      std::size_t length = KeptReference(text, i, named);
      if (length != 0 && named == 0) {
        i += length - 1;  // a reference that stays as written
        continue;
      }
      out.append(text, copied, i - copied);
      if (length == 0) {
        out += "&amp;";
      } else {
        out += "&#" + std::to_string(named) + ";";
        i += length - 1;
      }
      copied = i + 1;
      continue;
    }
    if (c == '<' && lt) escaped = "&lt;";
    else if (c == '>' && gt) escaped = "&gt;";
    else if (c == '"' && quote) escaped = "&quot;";
    else continue;
    out.append(text, copied, i - copied);
    out += escaped;
    copied = i + 1;
  }
  out.append(text, copied, text.size() - copied);
  return out;
}

// The text without the forbidden controls, as a view of `text` when it has none (the usual case) or of
// `storage` otherwise.
std::string_view WithoutForbidden(const std::string& text, std::string& storage) {
  if (!HasForbiddenControl(text)) return text;
  storage = DropForbidden(text);
  return storage;
}

// Whether the parsed children of `element` are written as well-formed content (compact, XML mode).
bool ContentIsWellFormed(const CVXMLElement& element) {
  std::string markup;
  for (const CVXMLNode* child : *element.GetChildNodes()) child->AppendXml(markup, kXmlCompact);
  return IsWellFormedXmlContent(markup, false);
}

}  // namespace

bool HasForbiddenXmlChars(std::string_view text) { return HasForbiddenControl(text); }

bool IsPlainFeedText(std::string_view text) { return !NeedsEscaping(text); }

bool IsPlainFeedUrl(std::string_view text) { return !HasByteOf(text, kUrlStops); }

std::string FeedEscapedText(const std::string& text) {
  if (!NeedsEscaping(text)) return text;
  std::string storage;
  return EscapeXmlText(WithoutForbidden(text, storage));
}

std::string RepairReferences(const std::string& text) { return RepairAndEscape(text, false, false, false); }

std::string FeedUrlText(const std::string& text) {
  if (IsPlainFeedUrl(text)) return text;
  std::string storage;
  return RepairAndEscape(WithoutForbidden(text, storage), true, true, false);
}

std::string FeedAttributeText(const std::string& text) {
  if (IsPlainFeedUrl(text)) return text;
  std::string storage;
  return RepairAndEscape(WithoutForbidden(text, storage), true, false, true);
}

void SetFeedMarkupText(CVXMLElement& element, const std::string& text) {
  const std::string clean = WholeCharacters(DropForbidden(text));
  const std::string repaired = RepairReferences(clean);
  const bool markup = clean.find('<') != std::string::npos || clean.find("]]>") != std::string::npos;
  if (!markup) {
    element.SetNodeValue(repaired);
    return;
  }
  // The lenient parser makes something of any text, but of malformed markup it may drop a part ("A < B"
  // loses what follows "<"); only markup that is well-formed before and after parsing is kept as such.
  if (IsWellFormedXmlContent(repaired, false)) {
    element.SetNodeValue(repaired);
    if (ContentIsWellFormed(element)) return;
  }
  element.SetNodeValue(RepairAndEscape(clean, true, true, false));
}

bool IsPlainFeedCdata(std::string_view content) {
  if (HasForbiddenControl(content)) return false;
  if (!content.empty() && static_cast<unsigned char>(content.back()) >= 0x80) return false;
  return content.find("]]>") == std::string_view::npos;
}

void AppendFeedCdata(CVXMLElement& element, const std::string& content) {
  std::string clean = DropForbidden(content);
  if (!clean.empty() && static_cast<unsigned char>(clean.back()) >= 0x80) clean = WholeCharacters(clean);
  if (clean.find("]]>") == std::string::npos) {
    element.AppendNew<CVXMLCDATASection>()->AssignValue(clean);
    return;
  }
  for (const std::string& piece : SplitCdataContent(clean)) element.AppendNew<CVXMLCDATASection>()->AssignValue(piece);
}
