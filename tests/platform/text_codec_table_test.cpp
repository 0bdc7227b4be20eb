// The table-driven conversions against iconv itself: every BMP character, every double-byte code of
// code page 932, and random bytes.
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

std::string ReferenceUtf8ToAnsi(std::string_view text) {
  return ByIconv("CP932", "UTF-8", text, "?", [](const char* in, size_t left) {
    unsigned char lead = static_cast<unsigned char>(in[0]);
    size_t want = lead >= 0xF0 && lead <= 0xF7 ? 4 : lead >= 0xE0 && lead <= 0xEF ? 3 : lead >= 0xC0 && lead <= 0xDF ? 2 : 1;
    size_t taken = 1;
    while (taken < want && taken < left && (static_cast<unsigned char>(in[taken]) & 0xC0) == 0x80) ++taken;
    return taken;
  });
}

std::string ReferenceAnsiToUtf8(std::string_view text) {
  return ByIconv("UTF-8", "CP932", text, "\xEF\xBF\xBD", [](const char*, size_t) { return size_t{1}; });
}

std::string EncodeUtf8(unsigned cp) {
  std::string s;
  if (cp < 0x80) s += static_cast<char>(cp);
  else if (cp < 0x800) {
    s += static_cast<char>(0xC0 | (cp >> 6));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    s += static_cast<char>(0xE0 | (cp >> 12));
    s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return s;
}

}  // namespace

TEST(TextCodecTables, EveryBmpCharacterMatchesIconv) {
  for (unsigned cp = 1; cp < 0x10000; ++cp) {
    std::string utf8 = "a" + EncodeUtf8(cp) + "b";
    ASSERT_EQ(Utf8ToAnsi(utf8), ReferenceUtf8ToAnsi(utf8)) << std::hex << cp;
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

TEST(TextCodecTables, RandomBytesMatchIconv) {
  std::mt19937 rng(3);
  for (int round = 0; round < 20000; ++round) {
    std::string bytes(rng() % 40, '\0');
    for (char& c : bytes) {
      c = static_cast<char>(rng() % 4 == 0 ? 'a' + rng() % 26 : 1 + rng() % 255);
    }
    ASSERT_EQ(AnsiToUtf8(bytes), ReferenceAnsiToUtf8(bytes)) << round;
    std::string skipBom = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? bytes.substr(3) : bytes;
    ASSERT_EQ(Utf8ToAnsi(bytes), ReferenceUtf8ToAnsi(skipBom)) << round;
    // In place, on a part of a larger text.
    std::string framed = "<<" + bytes + ">>";
    Utf8ToAnsiInPlace(framed, 2, 2 + bytes.size());
    ASSERT_EQ(framed, Utf8ToAnsi(bytes)) << round;
    // Valid UTF-8 built from random code points too.
    std::string utf8;
    for (int k = 0; k < 8; ++k) utf8 += EncodeUtf8(1 + rng() % 0xFFFF);
    ASSERT_EQ(Utf8ToAnsi(utf8), ReferenceUtf8ToAnsi(utf8)) << round;
  }
}
