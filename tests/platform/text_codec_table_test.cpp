// The table-driven conversions against iconv itself: every BMP character, every double-byte code of
// code page 932, and random bytes. Where iconv has no code page 932 character (or one that reads back
// as another character), the reference is the carried form, built here from its definition.
#include <iconv.h>

#include <random>
#include <string>

#include "platform/text_codec.h"
#include "support/test_env.h"

namespace {

// iconv character by character: a failure gives `replacement` and goes on after `skip(bytes)` bytes.
template <class Skip>
std::string ByIconv(const char* to, const char* from, std::string_view text, const char* replacement, Skip skip) {
  iconv_t cd = iconv_open(to, from);
  std::string out;
  const char* in = text.data();
  size_t left = text.size();
  while (left > 0) {
    char buffer[256];
    char* o = buffer;
    size_t oleft = sizeof buffer;
    size_t rc = iconv(cd, const_cast<char**>(&in), &left, &o, &oleft);
    out.append(buffer, static_cast<size_t>(o - buffer));
    if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
      out += replacement;
      size_t n = skip(in, left);
      in += n;
      left -= n;
    }
  }
  iconv_close(cd);
  return out;
}

std::string Iconv(const char* to, const char* from, std::string_view text) {
  return ByIconv(to, from, text, "", [](const char*, size_t left) { return left; });
}

// The carried form, from its definition: 0xFD, then the code point in four six-bit digits from 0xA0.
std::string Carried(unsigned cp) {
  std::string s = "\xFD";
  for (int shift = 18; shift >= 0; shift -= 6) s += static_cast<char>(0xA0 + ((cp >> shift) & 0x3F));
  return s;
}

// One character (a valid UTF-8 sequence) as internal text: iconv's code page 932 bytes when they read
// back as the same character, else the carried form.
std::string ReferenceCharacter(const std::string& utf8) {
  if (utf8.size() == 1) return utf8;
  std::string ansi = Iconv("CP932", "UTF-8", utf8);
  if (!ansi.empty() && Iconv("UTF-8", "CP932", ansi) == utf8) return ansi;
  std::string utf32 = Iconv("UTF-32LE", "UTF-8", utf8);
  unsigned value = 0;
  for (int k = 3; k >= 0; --k) value = (value << 8) | static_cast<unsigned char>(utf32[static_cast<size_t>(k)]);
  return Carried(value);
}

// UTF-8 to internal text: each character that iconv reads is converted as above; each sequence it
// cannot read becomes "?" and the conversion goes on after the lead byte and its continuation bytes.
std::string ReferenceUtf8ToAnsi(std::string_view text) {
  std::string out;
  size_t i = 0;
  while (i < text.size()) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    const size_t want = lead >= 0xF0 && lead <= 0xF7 ? 4 : lead >= 0xE0 && lead <= 0xEF ? 3 : lead >= 0xC0 && lead <= 0xDF ? 2 : 1;
    size_t taken = 1;
    while (taken < want && i + taken < text.size() && (static_cast<unsigned char>(text[i + taken]) & 0xC0) == 0x80) ++taken;
    const std::string sequence(text.substr(i, taken));
    if (lead < 0x80) out += sequence;
    else if (taken == want && !Iconv("UTF-32LE", "UTF-8", sequence).empty()) out += ReferenceCharacter(sequence);
    else out += '?';
    i += taken;
  }
  return out;
}

// Internal text to UTF-8: each pair and byte as iconv reads it, U+FFFD for a byte it cannot read (and
// on after that byte), and each carried character (a 0xFD and four bytes of 0xA0-0xDF) as the character
// it holds.
std::string ReferenceAnsiToUtf8(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    bool carried = c == 0xFD && i + 5 <= text.size();
    unsigned value = 0;
    for (size_t k = 1; carried && k < 5; ++k) {
      const unsigned char d = static_cast<unsigned char>(text[i + k]);
      carried = d >= 0xA0 && d <= 0xDF;
      value = (value << 6) | (d - 0xA0u);
    }
    if (carried) {
      const bool character = value >= 0x80 && value <= 0x10FFFF && !(value >= 0xD800 && value <= 0xDFFF) &&
                             value != 0xFFFE && value != 0xFFFF;
      out += character ? EncodeUtf8(value) : "\xEF\xBF\xBD";
      i += 5;
      continue;
    }
    const bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    std::string pair = lead && i + 1 < text.size() ? Iconv("UTF-8", "CP932", text.substr(i, 2)) : "";
    if (!pair.empty()) {
      out += pair;
      i += 2;
      continue;
    }
    std::string single = Iconv("UTF-8", "CP932", text.substr(i, 1));
    out += single.empty() ? "\xEF\xBF\xBD" : single;
    ++i;
  }
  return out;
}

}  // namespace

TEST(TextCodecTables, EveryBmpCharacterKeepsItsCodePageBytesOrIsCarriedAndComesBack) {
  int carried = 0;
  for (unsigned cp = 1; cp < 0x10000; ++cp) {
    std::string utf8 = "a" + EncodeUtf8(cp) + "b";
    std::string ansi = Utf8ToAnsi(utf8);
    ASSERT_EQ(ansi, ReferenceUtf8ToAnsi(utf8)) << std::hex << cp;
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;  // no character: "?"
    if (cp == 0xFFFE || cp == 0xFFFF) {  // noncharacters that XML forbids: carried, and written as U+FFFD
      ASSERT_EQ(AnsiToUtf8(ansi), "a\xEF\xBF\xBD" "b") << std::hex << cp;
      continue;
    }
    ASSERT_EQ(AnsiToUtf8(ansi), utf8) << std::hex << cp;
    ASSERT_EQ(Utf16LeToAnsi(AnsiToUtf16Le(ansi)), ansi) << std::hex << cp;
    if (ansi.size() == 2 + 5) ++carried;
  }
  // The code page holds about 7,700 characters of the plane; the rest are carried.
  EXPECT_GT(carried, 50000);
  EXPECT_LT(carried, 60000);
}

TEST(TextCodecTables, EveryOtherPlaneIsCarriedAndComesBack) {
  for (unsigned cp = 0x10000; cp <= 0x10FFFF; cp += 0x101) {
    const std::string utf8 = EncodeUtf8(cp) + "x";
    const std::string ansi = Utf8ToAnsi(utf8);
    ASSERT_EQ(ansi, Carried(cp) + "x") << std::hex << cp;
    ASSERT_EQ(AnsiToUtf8(ansi), utf8) << std::hex << cp;
    ASSERT_EQ(Utf16LeToAnsi(AnsiToUtf16Le(ansi)), ansi) << std::hex << cp;
  }
}

TEST(TextCodecTables, EveryCodePage932CodeMatchesIconv) {
  for (unsigned code = 0x80; code < 0x10000; ++code) {
    std::string bytes;
    if (code < 0x100) bytes = std::string(1, static_cast<char>(code));
    else if ((code & 0xFF) == 0) continue;
    else {
      bytes += static_cast<char>(code >> 8);
      bytes += static_cast<char>(code & 0xFF);
    }
    std::string text = "x" + bytes + "y";
    ASSERT_EQ(AnsiToUtf8(text), ReferenceAnsiToUtf8(text)) << std::hex << code;
  }
}

TEST(TextCodecTables, RandomBytesMatchTheReference) {
  std::mt19937 rng(3);
  for (int round = 0; round < 20000; ++round) {
    std::string bytes(rng() % 40, '\0');
    for (char& c : bytes) {
      const unsigned r = rng() % 8;
      // Letters, any byte, and now and then the start of a carried character (whole or cut short).
      c = static_cast<char>(r < 2 ? 'a' + rng() % 26 : r == 2 ? 0xFD : r == 3 ? 0xA0 + rng() % 0x40 : 1 + rng() % 255);
    }
    ASSERT_EQ(AnsiToUtf8(bytes), ReferenceAnsiToUtf8(bytes)) << round;
    std::string skipBom = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? bytes.substr(3) : bytes;
    ASSERT_EQ(Utf8ToAnsi(bytes), ReferenceUtf8ToAnsi(skipBom)) << round;
    // In place, on a part of a larger text.
    std::string framed = "<<" + bytes + ">>";
    Utf8ToAnsiInPlace(framed, 2, 2 + bytes.size());
    ASSERT_EQ(framed, Utf8ToAnsi(bytes)) << round;
    // Valid UTF-8 built from random code points of every plane, which comes back unchanged.
    std::string utf8;
    for (int k = 0; k < 8; ++k) {
      unsigned cp = rng() % 3 == 0 ? 0x10000 + rng() % 0x100000 : 1 + rng() % 0xFFFF;
      // No surrogates, no byte-order mark, no noncharacters.
      if ((cp >= 0xD800 && cp <= 0xDFFF) || cp == 0xFEFF || cp == 0xFFFE || cp == 0xFFFF) cp = 0x301C;
      utf8 += EncodeUtf8(cp);
    }
    const std::string ansi = Utf8ToAnsi(utf8);
    ASSERT_EQ(ansi, ReferenceUtf8ToAnsi(utf8)) << round;
    ASSERT_EQ(AnsiToUtf8(ansi), utf8) << round;
    std::string inPlace = "<<" + utf8 + ">>";
    Utf8ToAnsiInPlace(inPlace, 2, 2 + utf8.size());
    ASSERT_EQ(inPlace, ansi) << round;
  }
}
