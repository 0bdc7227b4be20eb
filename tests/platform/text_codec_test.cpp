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
  // Characters that code page 932 lacks become one "?" each; conversion goes on after them.
  EXPECT_EQ(Utf8ToAnsi("a\xF0\x9F\x98\x80" "b한c"), "a?b?c");
  EXPECT_EQ(Utf8ToAnsi("x\xC3"), "x?");  // truncated sequence at the end
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
  EXPECT_EQ(Utf16LeToAnsi(std::string("\x42\x30" "A\0\x3D\xD8\x00\xDE", 8)), Utf8ToAnsi("あA") + "?");
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
      EXPECT_LE(pending.size(), more ? 1u : 0u);
    }
    return out;
  };
  const std::string japanese = Utf8ToAnsi("日本語のテキスト、ｶﾀｶﾅ①");
  EXPECT_EQ(piecewise(japanese, {1, 2, 3, 9}), AnsiToUtf8(japanese));
  EXPECT_EQ(piecewise("a\x82", {}), AnsiToUtf8("a\x82"));          // a lone lead byte at the very end
  EXPECT_EQ(piecewise("a\x82\x20" "b", {2}), AnsiToUtf8("a\x82\x20" "b"));  // no pair across the cut
  EXPECT_EQ(piecewise(std::string("ab\0cd", 5), {3}), "ab");       // as a C string, up to the zero
  std::mt19937 rng(7);
  for (int round = 0; round < 3000; ++round) {
    std::string bytes(rng() % 48, '\0');
    for (char& c : bytes) {
      // Mostly lead bytes, trail bytes and ASCII, so that pairs (valid or not) meet the cuts.
      const unsigned r = rng() % 4;
      c = static_cast<char>(r == 0 ? 0x81 + rng() % 0x1F : r == 1 ? 0x40 + rng() % 0xBD : r == 2 ? 0x20 + rng() % 0x5F : rng() % 256);
    }
    std::vector<size_t> cuts;
    for (size_t at = 0; at < bytes.size(); at += 1 + rng() % 5) cuts.push_back(at);
    ASSERT_EQ(piecewise(bytes, cuts), AnsiToUtf8(bytes)) << round;
  }
}
