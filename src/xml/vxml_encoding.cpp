#include "xml/vxml_encoding.h"

#include "platform/text_codec.h"
#include "xml/vxml_element.h"
#include "xml/vxml_names.h"

namespace {

std::string LowerTrimmed(std::string_view name) {
  size_t first = name.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return std::string();
  size_t last = name.find_last_not_of(" \t\r\n");
  std::string out(name.substr(first, last + 1 - first));
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c | 0x20);
  }
  return out;
}

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

// The position of `needle` (lower-case ASCII) in `text` from `from`, ASCII letters folded; npos if none.
size_t FindFolded(std::string_view text, std::string_view needle, size_t from) {
  if (needle.empty() || text.size() < needle.size()) return std::string_view::npos;
  for (size_t i = from; i + needle.size() <= text.size(); ++i) {
    if (needle[0] == '<') {
      // Jump to the next "<" (the needles used here all start with one).
      size_t lt = text.find('<', i);
      if (lt == std::string_view::npos || lt + needle.size() > text.size()) break;
      i = lt;
    }
    size_t k = 0;
    while (k < needle.size() && (text[i + k] | 0x20) == needle[k]) ++k;
    if (k == needle.size()) return i;
  }
  return std::string_view::npos;
}

}  // namespace

bool IsShiftJisEncodingName(std::string_view name) {
  static const char* const kNames[] = {"shift_jis", "shift-jis", "shiftjis", "sjis", "x-sjis", "ms_kanji",
                                       "csshiftjis", "windows-31j", "cswindows31j", "cp932", "ms932",
                                       "x-ms-cp932", "ibm-943", "ibm943", "windows-932", "shift_jis-2004",
                                       "shift_jisx0213", "sjis-open", "sjis-win"};
  std::string lower = LowerTrimmed(name);
  for (const char* known : kNames) {
    if (lower == known) return true;
  }
  return false;
}

bool IsIso2022EncodingName(std::string_view name) {
  std::string lower = LowerTrimmed(name);
  return StartsWith(lower, "iso-2022-") || StartsWith(lower, "iso2022") || StartsWith(lower, "csiso2022");
}

bool ShouldConvertFromDeclared(const std::string& name) {
  std::string lower = LowerTrimmed(name);
  if (lower.empty() || IsShiftJisEncodingName(lower)) return false;
  if (lower == "utf-8" || lower == "utf8") return false;
  if (StartsWith(lower, "utf-16") || StartsWith(lower, "utf16") || StartsWith(lower, "utf-32") ||
      StartsWith(lower, "utf32") || StartsWith(lower, "ucs")) {
    return false;
  }
  return IsKnownEncoding(lower);
}

std::string FindHtmlMetaCharset(std::string_view text) {
  for (size_t at = FindFolded(text, "<meta", 0); at != std::string_view::npos; at = FindFolded(text, "<meta", at + 1)) {
    size_t gt = text.find('>', at);
    if (gt == std::string_view::npos) break;
    CVXMLElement tag;
    tag.ParseStartTag(text.substr(at, gt + 1 - at));
    if (CompareNoCaseAscii(tag.NodeName(), "meta") != 0) continue;
    auto attribute = [&](const char* name) {
      for (const CVXMLAttribute& a : tag.GetAttributes()) {
        if (CompareNoCaseAscii(a.NodeName(), name) == 0) return std::string(a.NodeValue());
      }
      return std::string();
    };
    std::string charset = LowerTrimmed(attribute("charset"));
    if (!charset.empty()) return charset;
    if (LowerTrimmed(attribute("http-equiv")) != "content-type") continue;
    std::string content = attribute("content");
    size_t key = FindFolded(content, "charset", 0);
    if (key == std::string::npos) continue;
    size_t value = content.find_first_not_of(" \t", key + 7);
    if (value == std::string::npos || content[value] != '=') continue;
    value = content.find_first_not_of(" \t\"'", value + 1);
    if (value == std::string::npos) continue;
    size_t stop = content.find_first_of(" \t;\"'", value);
    std::string found = LowerTrimmed(content.substr(value, stop == std::string::npos ? std::string::npos : stop - value));
    if (!found.empty()) return found;
  }
  return std::string();
}

bool ConvertUtf16WithBom(std::string_view bytes, std::string& out) {
  if (bytes.size() < 2) return false;
  const unsigned char a = static_cast<unsigned char>(bytes[0]);
  const unsigned char b = static_cast<unsigned char>(bytes[1]);
  if (a == 0xFF && b == 0xFE) return ConvertToAnsi(bytes.substr(2), "UTF-16LE", out);
  if (a == 0xFE && b == 0xFF) return ConvertToAnsi(bytes.substr(2), "UTF-16BE", out);
  return false;
}
