// The first rule of every feed: the encoding is declared and the bytes are in it. Also gives the
// document as UTF-8, which the positions of the findings are counted in.
#pragma once

#include <string>
#include <string_view>

#include "check/check_report.h"

struct CDocumentText {
  std::string converted;  // the text converted to UTF-8, when the bytes are in another encoding
  std::string_view utf8;  // the document as UTF-8, without a byte-order mark
  // The bytes are meant as UTF-8 and not yet validated: libxml2 validates them as it parses, and only
  // when it fails is the first invalid byte looked for (FindInvalidUtf8), to report the encoding.
  bool utf8Unchecked = false;
};

// Applies the encoding rules to `bytes`. False when the bytes cannot be read in their encoding (an
// error has been reported then, and the file is not parsed further).
bool CheckEncoding(std::string_view bytes, CDocumentText& text, CCheckReport& report);

// The offset of the first byte that does not belong to valid UTF-8 (shortest forms, no surrogates,
// at most U+10FFFF), or npos.
size_t FindInvalidUtf8(std::string_view text);
