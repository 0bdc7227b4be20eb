#include "xml/vxml_names.h"

#include <cstring>
#include <string>

#include "platform/sjis.h"

namespace {

inline unsigned char LowerAscii(unsigned char c) { return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c | 0x20) : c; }

}  // namespace

bool EqualsFoldedAscii(std::string_view text, std::string_view pattern) {
  if (text.size() != pattern.size()) return false;
  size_t n = pattern.size();
  // Names are mostly written in one case: equal bytes settle it at once.
  if (std::memcmp(text.data(), pattern.data(), n) == 0) return true;
  for (size_t i = 0, length = 0; i < n; i += length) {
    length = CharLengthAt(pattern, i);
    if (length > 1) {
      // A double-byte or carried character compares exactly, every byte.
      if (std::memcmp(text.data() + i, pattern.data() + i, length) != 0) return false;
      continue;
    }
    unsigned char p = static_cast<unsigned char>(pattern[i]);
    unsigned char t = static_cast<unsigned char>(text[i]);
    if (t != p && LowerAscii(t) != LowerAscii(p)) return false;
  }
  return true;
}

int CompareNoCaseAscii(std::string_view a, std::string_view b) { return EqualsFoldedAscii(a, b) ? 0 : 1; }

bool NamesMatch(std::string_view a, std::string_view b, const CVXMLOptions& options) {
  if (options.IsHtmlMode()) return CompareNoCaseAscii(a, b) == 0;
  return a == b;
}

void FoldAsciiInto(std::string_view text, std::string& out) {
  out.assign(text.data(), text.size());
  for (size_t i = 0; i < out.size(); i += CharLengthAt(out, i)) {
    out[i] = static_cast<char>(LowerAscii(static_cast<unsigned char>(out[i])));
  }
}
