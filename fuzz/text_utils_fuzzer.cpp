// Arbitrary bytes through the text, path and date helpers: the first byte picks the function, the rest
// is its input (split in two at the first zero byte where a function takes two texts). Never a crash,
// and the results keep their promises.
#include <cstdint>
#include <string>

#include "feeds/char_refs.h"
#include "feeds/feed_dates.h"
#include "feeds/xml_escape.h"
#include "harvest/text_utils.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);
  const size_t zero = input.find('\0');
  const std::string first = zero == std::string::npos ? input : input.substr(0, zero);
  const std::string second = zero == std::string::npos ? std::string() : input.substr(zero + 1);

  switch (data[0] % 8) {
    case 0: {
      TimeValue t = ParseW3cDate(input);
      if (t > 0) Check(ParseW3cDate(FormatW3cDate(t)) == t);
      break;
    }
    case 1: {
      TimeValue t = ParseRfc822Date(input);
      if (t > 0) Check(ParseRfc822Date(FormatRfc822Date(t)) == t);
      break;
    }
    case 2: {
      std::string decoded = DecodeCharacterReferences(input, (size & 1) != 0);
      Check(decoded.size() <= input.size());  // a reference is never shorter than what it gives
      break;
    }
    case 3: {
      std::string stripped = StripTags(input);
      Check(stripped.size() <= input.size());
      Check(stripped.find('<') == std::string::npos);
      break;
    }
    case 4:
      RelativePath(first, second);
      break;
    case 5:
      ResolveRelativeUrl(first, second);
      ResolveRelativePath(first, second);
      break;
    case 6: {
      int length = -1;
      int flags = static_cast<int>(size % 16);
      int at = FindFolded(first, second, flags, &length);
      Check(at == -1 || (at >= 0 && static_cast<size_t>(at) + static_cast<size_t>(length) <= first.size()));
      if (flags == 0 && at >= 0) Check(first.compare(static_cast<size_t>(at), second.size(), second) == 0);
      Check(ToFullWidth(ToHalfWidth(first)).size() <= 2 * first.size() + 2);
      break;
    }
    case 7: {
      std::string cut = CutForDescription(input);
      Check(cut.size() <= 255 || cut == input);
      std::string joined;
      for (const std::string& piece : SplitCdataContent(input)) {
        Check(piece.find("]]>") == std::string::npos);
        joined += piece;
      }
      Check(joined == input);
      for (char c : StripXmlForbiddenChars(input))
        Check(static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n' || c == '\r');
      EscapeAttributeText(EscapeBareAmpersands(input));
      break;
    }
  }
  return 0;
}
