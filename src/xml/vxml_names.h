// Name comparison of the XML library.
//
// Names are internal text (code page 932). ASCII letters compare without regard to case where the
// library asks for it; the second byte of a double-byte character is never folded, since it can be the
// code of an ASCII letter.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

#include "xml/vxml_options.h"

// The first `c` in `text` at or after `from`, or npos. Made for bytes that are mostly near (the end
// of a tag): a few bytes are looked at before memchr is called.
inline size_t FindByteNear(std::string_view text, char c, size_t from = 0) {
  const size_t near = from + 32 < text.size() ? from + 32 : text.size();
  for (size_t i = from; i < near; ++i) {
    if (text[i] == c) return i;
  }
  if (near >= text.size()) return std::string_view::npos;
  const void* hit = std::memchr(text.data() + near, c, text.size() - near);
  return hit ? static_cast<size_t>(static_cast<const char*>(hit) - text.data()) : std::string_view::npos;
}

// 0 when `a` and `b` have the same length and are equal with ASCII letters folded ('A'-'Z' against
// 'a'-'z'), non-zero otherwise. Callers use only equality. Used for every HTML-mode name match.
int CompareNoCaseAscii(std::string_view a, std::string_view b);

// True when `text` equals `pattern` with the pattern's ASCII letters folded (the pattern's own
// double-byte characters decide which bytes are letters). Both must have the same length.
bool EqualsFoldedAscii(std::string_view text, std::string_view pattern);

// Names as the mode of `options` compares them: byte for byte in XML mode, letters folded in HTML mode.
bool NamesMatch(std::string_view a, std::string_view b, const CVXMLOptions& options);

// Lower-cases the ASCII letters of `text` that are not second bytes of double-byte characters; two
// names are equal under EqualsFoldedAscii exactly when their folded forms are equal.
void FoldAsciiInto(std::string_view text, std::string& out);
