#include <random>
#include <string>
#include <vector>

#include "platform/text_codec.h"
#include "support/test_env.h"

TEST(TextCodec, IsValidUtf8FollowsItsStateTable) {
  EXPECT_TRUE(IsValidUtf8(""));
  EXPECT_TRUE(IsValidUtf8("plain ascii"));
  EXPECT_TRUE(IsValidUtf8("\xEF\xBB\xBF" "abc"));
  EXPECT_TRUE(IsValidUtf8("\xE3\x81\x82"));         // あ
  EXPECT_TRUE(IsValidUtf8("\xC0\x80"));             // overlong two-byte forms are accepted
  EXPECT_FALSE(IsValidUtf8("\x82\xA0"));            // Shift-JIS あ: 82 cannot begin a character
  EXPECT_FALSE(IsValidUtf8("\xF0\x9F\x98\x80"));    // four-byte sequences are rejected
  EXPECT_FALSE(IsValidUtf8("\xE3\x81"));            // ends inside a character
  EXPECT_FALSE(IsValidUtf8("\xC3\x41"));            // continuation byte missing
  // The scan stops at the first zero byte.
  EXPECT_TRUE(IsValidUtf8(std::string("ok\0\x82", 4)));
}

TEST(TextCodec, Cp932RoundTripsJapaneseAndNecSpecialCharacters) {
  const std::string utf8 = "日本語のテキスト ①Ⅰ㈱ ｶﾀｶﾅ \\~ 髙﨑 ー－～";
  std::string ansi = Utf8ToAnsi(utf8);
  EXPECT_EQ(ansi.substr(ansi.find(' ') + 1, 6), "\x87\x40\x87\x54\x87\x8A");
  EXPECT_EQ(AnsiToUtf8(ansi), utf8);
  EXPECT_EQ(Utf8ToAnsi("\xEF\xBB\xBF" "A"), "A");  // byte-order mark skipped
}

TEST(TextCodec, ConversionsNeverFail) {
  // Malformed sequences become one "?" each; conversion goes on after them.
  EXPECT_EQ(Utf8ToAnsi("x\xC3"), "x?");  // truncated sequence at the end
  EXPECT_EQ(Utf8ToAnsi("a\xED\xA0\x80" "b\xC0\x80" "c\xF4\x90\x80\x80" "d\xE3\x81" "e\x80" "f"), "a?b?c?d?e?f");
  // Bytes that are not code page 932 become U+FFFD.
  EXPECT_EQ(AnsiToUtf8("a\x80" "b"), "a\xEF\xBF\xBD" "b");
  EXPECT_EQ(AnsiToUtf8("\x82"), "\xEF\xBF\xBD");
  EXPECT_EQ(AnsiToUtf8("\x81\x20z"), "\xEF\xBF\xBD z");
  std::mt19937 rng(42);
  for (int round = 0; round < 2000; ++round) {
    std::string bytes(rng() % 64, '\0');
    for (char& c : bytes) c = static_cast<char>(rng() % 256);
    std::string u = AnsiToUtf8(bytes);
    EXPECT_TRUE(IsValidUtf8(u)) << round;
    Utf8ToAnsi(bytes);
    Utf16LeToAnsi(bytes);
  }
}

TEST(TextCodec, OtherEncodingsAndUtf16) {
  std::string out;
  ASSERT_TRUE(ConvertToAnsi("\xA4\xA2\xA4\xA4", "EUC-JP", out));  // あい
  EXPECT_EQ(out, Utf8ToAnsi("あい"));
  ASSERT_TRUE(ConvertToAnsi("\x1B$B$\"\x1B(B", "ISO-2022-JP", out));
  EXPECT_EQ(out, Utf8ToAnsi("あ"));
  EXPECT_FALSE(ConvertToAnsi("x", "NO-SUCH-ENCODING", out));
  EXPECT_TRUE(IsKnownEncoding("EUC-JP"));
  EXPECT_FALSE(IsKnownEncoding(""));
  EXPECT_EQ(U(Utf16LeToAnsi(std::string("\x42\x30" "A\0\x3D\xD8\x00\xDE", 8))), "あA😀");
  // A stray surrogate, at the end or before another unit, is "?"; an odd last byte is ignored.
  EXPECT_EQ(Utf16LeToAnsi(std::string("\x3D\xD8" "A\0\x00\xDE\x3D\xD8" "B", 9)), "?A??");
  EXPECT_EQ(Lit("概要"), Utf8ToAnsi("概要"));
}

// Text written as it is produced is converted piece by piece; cut anywhere, the pieces must give the
// bytes of the whole text converted at once, invalid sequences and a lead byte at a cut included.
TEST(TextCodec, PiecewiseConversionMatchesTheWholeText) {
  auto piecewise = [](const std::string& text, const std::vector<size_t>& cuts) {
    std::string out;
    std::string pending;  // what the last piece left (a lead byte at its end)
    size_t from = 0;
    for (size_t k = 0; k <= cuts.size(); ++k) {
      const size_t to = k < cuts.size() ? cuts[k] : text.size();
      pending.append(text, from, to - from);
      from = to;
      const bool more = k < cuts.size();
      size_t used = AppendAnsiAsUtf8(pending, more, out);
      if (used < pending.size() && pending[used] == '\0') return out;  // a zero byte ends the text
      pending.erase(0, used);
      EXPECT_LE(pending.size(), more ? 4u : 0u);  // at most a carried character less its last byte
    }
    return out;
  };
  const std::string japanese = Utf8ToAnsi("日本語のテキスト、ｶﾀｶﾅ①");
  EXPECT_EQ(piecewise(japanese, {1, 2, 3, 9}), AnsiToUtf8(japanese));
  EXPECT_EQ(piecewise("a\x82", {}), AnsiToUtf8("a\x82"));          // a lone lead byte at the very end
  EXPECT_EQ(piecewise("a\x82\x20" "b", {2}), AnsiToUtf8("a\x82\x20" "b"));  // no pair across the cut
  EXPECT_EQ(piecewise(std::string("ab\0cd", 5), {3}), "ab");       // as a C string, up to the zero
  const std::string carried = Utf8ToAnsi("é😀〜");
  for (size_t cut = 0; cut <= carried.size(); ++cut) EXPECT_EQ(piecewise(carried, {cut}), AnsiToUtf8(carried)) << cut;
  EXPECT_EQ(piecewise(carried, {1, 2, 3, 4, 6, 7, 8}), "é😀〜");
  std::mt19937 rng(7);
  for (int round = 0; round < 3000; ++round) {
    std::string bytes(rng() % 48, '\0');
    for (char& c : bytes) {
      // Mostly lead bytes, trail bytes and ASCII, so that pairs (valid or not) meet the cuts.
      // Carried characters' lead byte and digits too, whole or cut short.
      const unsigned r = rng() % 6;
      c = static_cast<char>(r == 0 ? 0x81 + rng() % 0x1F : r == 1 ? 0x40 + rng() % 0xBD : r == 2 ? 0x20 + rng() % 0x5F
                            : r == 3 ? 0xFD : r == 4 ? 0xA0 + rng() % 0x40 : rng() % 256);
    }
    std::vector<size_t> cuts;
    for (size_t at = 0; at < bytes.size(); at += 1 + rng() % 5) cuts.push_back(at);
    ASSERT_EQ(piecewise(bytes, cuts), AnsiToUtf8(bytes)) << round;
  }
}

// Characters that code page 932 lacks, or gives back as others, are carried in internal text and come
// back as themselves; what the code page holds keeps its bytes.
TEST(TextCodec, CarriedCharactersComeBackAsThemselves) {
  // The seven that the code page would turn into its own look-alikes, and two that it would make ASCII.
  const std::string kin = "〜‖−¢£¬— ¥‾";
  const std::string ansi = Utf8ToAnsi(kin);
  EXPECT_EQ(ansi.size(), 9 * 5 + 1);
  EXPECT_EQ(AnsiToUtf8(ansi), kin);
  EXPECT_TRUE(HoldsCarriedChar(ansi));
  // Their look-alikes and the code page's own characters keep their code page 932 bytes.
  EXPECT_EQ(Utf8ToAnsi("～∥－￠￡￢―\\~"), "\x81\x60\x81\x61\x81\x7C\x81\x91\x81\x92\x81\xCA\x81\x5C\\~");
  EXPECT_EQ(AnsiToUtf8("\x81\x60"), "～");  // a Shift_JIS page's 0x8160 reads as U+FF5E, as always
  EXPECT_FALSE(HoldsCarriedChar(Utf8ToAnsi("日本語のテキスト ｶﾀｶﾅ ～")));

  // The form: 0xFD, then the code point in four six-bit digits from 0xA0, highest first.
  EXPECT_EQ(Utf8ToAnsi("é"), "\xFD\xA0\xA0\xA3\xC9");                    // U+00E9: 0, 0, 3, 0x29
  EXPECT_EQ(Utf8ToAnsi("\xF4\x8F\xBF\xBF"), "\xFD\xA4\xAF\xDF\xDF");  // U+10FFFF: 4, 0x0F, 0x3F, 0x3F
  EXPECT_EQ(U(Utf8ToAnsi("café 🍣 𠮷野家 한국어 Ωμέγα")), "café 🍣 𠮷野家 한국어 Ωμέγα");
  // A carried form of no scalar value (zero, a surrogate, beyond U+10FFFF) is one U+FFFD; a 0xFD that is
  // cut short, or followed by other bytes, is no character, as it always was.
  EXPECT_EQ(AnsiToUtf8("\xFD\xA0\xA0\xA0\xA0" "a\xFD\xA0\xAD\xC0\xA0" "b\xFD\xDF\xDF\xDF\xDF" "c"),
            "\xEF\xBF\xBD" "a\xEF\xBF\xBD" "b\xEF\xBF\xBD" "c");
  EXPECT_EQ(AnsiToUtf8("\xFD\xA0\xA0" "A"), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD" "A");
  // Forged forms of ASCII ("<", a control) and the noncharacters that XML forbids are U+FFFD too, so
  // nothing that was escaped as internal text comes out as markup or breaks a feed.
  EXPECT_EQ(AnsiToUtf8("\xFD\xA0\xA0\xA0\xDC" "a\xFD\xA0\xA0\xA0\xA1" "b\xFD\xA0\xAF\xDF\xDE" "c"),
            "\xEF\xBF\xBD" "a\xEF\xBF\xBD" "b\xEF\xBF\xBD" "c");
  EXPECT_EQ(AnsiToUtf8(Utf8ToAnsi("\xEF\xBF\xBF")), "\xEF\xBF\xBD");
  // A stray lead byte before one is U+FFFD on its own, as before any other character.
  EXPECT_EQ(AnsiToUtf8("\x82\xFD\xA0\xA0\xA3\xC9"), "\xEF\xBF\xBD" "é");
  EXPECT_FALSE(HoldsCarriedChar("\xFD\xA0\xA0\xA3"));

  // UTF-16, other encodings and references arrive at the same form.
  EXPECT_EQ(AnsiToUtf16Le(ansi), std::string("\x1C\x30\x16\x20\x12\x22\xA2\0\xA3\0\xAC\0\x14\x20 \0\xA5\0\x3E\x20", 20));
  EXPECT_EQ(Utf16LeToAnsi(AnsiToUtf16Le(ansi)), ansi);
  std::string out;
  ASSERT_TRUE(ConvertToAnsi("\xA1\xC1", "EUC-JP", out));  // JIS X 0208's wave dash is U+301C
  EXPECT_EQ(out, Utf8ToAnsi("〜"));
  ASSERT_TRUE(ConvertToAnsi("caf\xE9", "ISO-8859-1", out));
  EXPECT_EQ(U(out), "café");
  std::string appended = "x";
  AppendCodePointAsAnsi(appended, 0x1F363);
  AppendCodePointAsAnsi(appended, 0x3042);
  AppendCodePointAsAnsi(appended, 0xD800);
  EXPECT_EQ(U(appended), "x🍣あ?");

  // In place: a text that grows past its UTF-8 (accented letters take five bytes for two) is whole.
  std::string grows = "<<" + std::string(3000, 'x') + "é" + std::string(2000, '\xC3') + ">>";
  for (size_t i = 3005; i < 5004; i += 2) grows[i] = '\xA9';
  Utf8ToAnsiInPlace(grows, 2, grows.size() - 2);
  std::string accents;
  for (int i = 0; i < 1001; ++i) accents += "é";
  EXPECT_TRUE(U(grows) == std::string(3000, 'x') + accents);
}
