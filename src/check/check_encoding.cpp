#include "check/check_encoding.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "check/check_nodes.h"

#include "platform/text_codec.h"

namespace {

constexpr size_t npos = std::string_view::npos;

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

// The name without case, '-' and '_', as libxml2 and iconv compare them ("utf_16" is "UTF-16").
std::string Plain(const std::string& lower) {
  std::string out;
  for (char c : lower) {
    if (c != '-' && c != '_') out += c;
  }
  return out;
}

bool IsUtf8Name(const std::string& lower) { return Plain(lower) == "utf8"; }
bool IsUtf16Name(const std::string& lower) { return Plain(lower).rfind("utf16", 0) == 0; }

// Encodings of one byte per character: any byte converts, so UTF-8 bytes declared as one of them
// become garbled text without an error.
bool IsSingleByteName(const std::string& lower) {
  return lower.rfind("iso-8859-", 0) == 0 || lower.rfind("iso8859", 0) == 0 || lower.rfind("windows-125", 0) == 0 ||
         lower.rfind("cp125", 0) == 0 || lower == "latin1" || lower == "latin-1";
}

// The encoding pseudo-attribute of the XML declaration at the start of `text`; false when there is no
// declaration or it names no encoding.
bool DeclaredEncoding(std::string_view text, std::string& encoding) {
  if (text.compare(0, 5, "<?xml") != 0 || text.size() < 6 || !IsXmlSpace(text[5])) return false;
  size_t end = text.find("?>");
  if (end == npos || end > 1024) return false;
  std::string_view decl = text.substr(0, end);
  size_t at = decl.find("encoding");
  if (at == npos) return false;
  size_t i = at + 8;
  while (i < decl.size() && IsXmlSpace(decl[i])) ++i;
  if (i >= decl.size() || decl[i] != '=') return false;
  ++i;
  while (i < decl.size() && IsXmlSpace(decl[i])) ++i;
  if (i >= decl.size() || (decl[i] != '"' && decl[i] != '\'')) return false;
  size_t close = decl.find(decl[i], i + 1);
  if (close == npos) return false;
  encoding = std::string(decl.substr(i + 1, close - i - 1));
  return true;
}

// Converts `bytes` from `encoding` to UTF-8. On a byte sequence that is not in the encoding returns
// false with `out` holding the text converted before it.
bool ConvertToUtf8(std::string_view bytes, const std::string& encoding, std::string& out) {
  iconv_t cd = iconv_open("UTF-8", encoding.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  out.assign(bytes.size() * 2 + 16, '\0');
  char* in = const_cast<char*>(bytes.data());
  size_t inLeft = bytes.size();
  size_t used = 0;
  bool ok = true;
  while (inLeft > 0) {
    char* dst = &out[used];
    size_t outLeft = out.size() - used;
    size_t r = iconv(cd, &in, &inLeft, &dst, &outLeft);
    used = out.size() - outLeft;
    if (r == static_cast<size_t>(-1)) {
      if (errno == E2BIG) {
        out.resize(out.size() * 2);
        continue;
      }
      ok = false;
      break;
    }
  }
  iconv_close(cd);
  out.resize(used);
  return ok;
}

}  // namespace

size_t FindInvalidUtf8(std::string_view text) {
  const unsigned char* s = reinterpret_cast<const unsigned char*>(text.data());
  const size_t n = text.size();
  size_t i = 0;
  while (i < n) {
    // Eight ASCII bytes at a time.
    if (i + 8 <= n) {
      std::uint64_t word;
      std::memcpy(&word, s + i, 8);
      if ((word & 0x8080808080808080ull) == 0) {
        i += 8;
        continue;
      }
    }
    unsigned char c = s[i];
    if (c < 0x80) {
      ++i;
      continue;
    }
    size_t len;
    unsigned lo = 0x80, hi = 0xBF;  // the range of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
      len = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
      len = 3;
      if (c == 0xE0) lo = 0xA0;
      if (c == 0xED) hi = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      len = 4;
      if (c == 0xF0) lo = 0x90;
      if (c == 0xF4) hi = 0x8F;
    } else {
      return i;
    }
    if (i + len > n) return i;
    if (s[i + 1] < lo || s[i + 1] > hi) return i;
    for (size_t k = 2; k < len; ++k) {
      if ((s[i + k] & 0xC0) != 0x80) return i;
    }
    i += len;
  }
  return npos;
}

bool CheckEncoding(std::string_view bytes, CDocumentText& text, CCheckReport& report) {
  std::string_view all(bytes);
  enum class Bom { None, Utf8, Utf16Le, Utf16Be } bom = Bom::None;
  if (all.compare(0, 3, "\xEF\xBB\xBF") == 0) bom = Bom::Utf8;
  else if (all.compare(0, 2, "\xFF\xFE") == 0) bom = Bom::Utf16Le;
  else if (all.compare(0, 2, "\xFE\xFF") == 0) bom = Bom::Utf16Be;
  else if (all.compare(0, 4, std::string_view("<\0?\0", 4)) == 0) bom = Bom::Utf16Le;  // without a mark
  else if (all.compare(0, 4, std::string_view("\0<\0?", 4)) == 0) bom = Bom::Utf16Be;

  if (bom == Bom::Utf16Le || bom == Bom::Utf16Be) {
    const bool marked = all.compare(0, 2, "\xFF\xFE") == 0 || all.compare(0, 2, "\xFE\xFF") == 0;
    const std::string name = bom == Bom::Utf16Le ? "UTF-16LE" : "UTF-16BE";
    if (!ConvertToUtf8(all.substr(marked ? 2 : 0), name, text.converted)) {
      text.utf8 = text.converted;
      report.AtOffset(CheckRule::EncodingMismatch, text.converted.size(), "UTF-16");
      return false;
    }
    text.utf8 = text.converted;
    std::string declared;
    if (!DeclaredEncoding(text.utf8, declared)) {
      if (!marked) report.AtFile(CheckRule::EncodingUndeclared);
      return true;
    }
    if (!IsUtf16Name(Lower(declared))) {
      report.AtOffset(CheckRule::EncodingMismatch, 0, declared);
      return false;
    }
    return true;
  }

  std::string_view body = bom == Bom::Utf8 ? all.substr(3) : all;
  std::string declared;
  const bool hasDeclaration = DeclaredEncoding(body, declared);
  const std::string lower = Lower(declared);
  if (!hasDeclaration || IsUtf8Name(lower)) {
    text.utf8 = body;
    if (!hasDeclaration && bom == Bom::None) report.AtFile(CheckRule::EncodingUndeclared);
    text.utf8Unchecked = true;
    return true;
  }
  if (bom == Bom::Utf8 || IsUtf16Name(lower)) {
    text.utf8 = body;
    report.AtOffset(CheckRule::EncodingMismatch, 0, declared);
    return false;
  }
  if (!IsKnownEncoding(declared)) {
    text.utf8 = body;
    report.AtOffset(CheckRule::EncodingUnknown, 0, declared);
    return false;
  }
  if (!ConvertToUtf8(body, declared, text.converted)) {
    text.utf8 = text.converted;
    report.AtOffset(CheckRule::EncodingMismatch, text.converted.size(), declared);
    return false;
  }
  text.utf8 = text.converted;
  if (IsSingleByteName(lower) && FindInvalidUtf8(body) == npos &&
      std::any_of(body.begin(), body.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
    report.AtOffset(CheckRule::EncodingLooksUtf8, 0, declared);
  }
  return true;
}
