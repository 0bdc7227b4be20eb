#include "harvest/text_utils.h"
#include "support/test_env.h"

namespace {

// Offset and matched length in one value for compact expectations; {-1, 0} when not found.
std::pair<int, int> Find(const std::string& haystackUtf8, const std::string& needleUtf8, int flags) {
  int length = -7;
  int at = FindFolded(J(haystackUtf8), J(needleUtf8), flags, &length);
  return {at, length};
}

using P = std::pair<int, int>;

}  // namespace

TEST(FindFolded, PlainSearchIsCharacterAware) {
  EXPECT_EQ(Find("abcabc", "ca", 0), P(2, 2));
  EXPECT_EQ(Find("abc", "x", 0), P(-1, 0));
  EXPECT_EQ(Find("", "", 0), P(-1, 0));  // an empty haystack never matches
  EXPECT_EQ(Find("abc", "", 0), P(0, 0));
  // "ア" is 83 41: a search for "A" must not match its second byte, nor "表" (95 5C) match "\".
  EXPECT_EQ(Find("アA", "A", 0), P(2, 1));
  EXPECT_EQ(Find("表\\", "\\", 0), P(2, 1));
  EXPECT_EQ(FindFolded("", "a", 0), -1);
  // A lead byte at the very end stands alone and does not read past the text.
  EXPECT_EQ(FindFolded("ab\x83", "\x83", 0), 2);
  EXPECT_EQ(FindFolded("ab\x83", "b\x83", FOLD_WIDTH | FOLD_CASE | FOLD_KANA | FOLD_SMALL), 1);
  // No match length pointer is fine.
  EXPECT_EQ(FindFolded("abc", "c", 0), 2);
}

TEST(FindFolded, CaseFoldingMatchesFtpProfileFolders) {
  EXPECT_EQ(Find("C:\\Site\\news", "c:\\site", FOLD_CASE), P(0, 7));
  EXPECT_EQ(Find("C:\\Site\\news", "c:\\site", 0), P(-1, 0));
  EXPECT_EQ(Find("/srv/Site/blog", "/srv/site", FOLD_CASE), P(0, 9));
  // Full-width Latin letters fold too; the second bytes of other characters do not.
  EXPECT_EQ(Find("ＡＢＣ", "ａｂｃ", FOLD_CASE), P(0, 6));
  EXPECT_EQ(Find("ア", "チ", FOLD_CASE), P(-1, 0));  // 83 41 vs 83 61: lowering trail bytes would match
  // Half-width and full-width letters meet only with FOLD_WIDTH as well.
  EXPECT_EQ(Find("ＡＢＣ", "abc", FOLD_CASE), P(-1, 0));
  EXPECT_EQ(Find("xＡＢＣ", "abc", FOLD_CASE | FOLD_WIDTH), P(1, 6));
}

TEST(FindFolded, WidthFoldingJoinsVoicedMarks) {
  EXPECT_EQ(Find("ABC 123", "ＢＣ　１", FOLD_WIDTH), P(1, 4));
  EXPECT_EQ(Find("ｱｲｳ", "イウ", FOLD_WIDTH), P(1, 2));
  EXPECT_EQ(Find("ｱｲｳ", "イウ", 0), P(-1, 0));
  // A half-width kana and its mark are one character: ｶﾞ matches ガ and covers two bytes.
  EXPECT_EQ(Find("xｶﾞｷﾞ", "ガギ", FOLD_WIDTH), P(1, 4));
  EXPECT_EQ(Find("ﾊﾟﾝ", "パン", FOLD_WIDTH), P(0, 3));
  EXPECT_EQ(Find("ｳﾞｧ", "ヴァ", FOLD_WIDTH), P(0, 3));
  // A full-width kana followed by the separate mark is one voiced kana.
  EXPECT_EQ(Find("カ゛ラス", "ガラス", FOLD_WIDTH), P(0, 8));
  EXPECT_EQ(Find("ガラス", "カ゛", FOLD_WIDTH), P(0, 2));
  EXPECT_EQ(Find("ハ゜ン", "ﾊﾟﾝ", FOLD_WIDTH), P(0, 6));
  // Without the fold the kana and mark are separate characters, and ｶ does not match ガ.
  EXPECT_EQ(Find("カ゛", "ガ", 0), P(-1, 0));
  EXPECT_EQ(Find("ｶﾞ", "ｶ", 0), P(0, 1));
  EXPECT_EQ(Find("ｶﾞ", "ガ", FOLD_WIDTH), P(0, 2));
  // A mark after a kana that has no voiced form stays a character of its own.
  EXPECT_EQ(Find("ア゛", "ア゛", FOLD_WIDTH), P(0, 4));
  EXPECT_EQ(Find("ｱﾞ", "ア゛", FOLD_WIDTH), P(0, 2));
  // Hiragana join their mark only when kana are folded too.
  EXPECT_EQ(Find("か゛", "が", FOLD_WIDTH), P(-1, 0));
  EXPECT_EQ(Find("か゛", "ガ", FOLD_WIDTH | FOLD_KANA), P(0, 4));
}

TEST(FindFolded, KanaAndSmallFolding) {
  EXPECT_EQ(Find("ニュース", "にゅーす", FOLD_KANA), P(0, 8));
  EXPECT_EQ(Find("ニュース", "にゅーす", 0), P(-1, 0));
  EXPECT_EQ(Find("ムーン", "むーん", FOLD_KANA), P(0, 6));  // ム lies after the gap at 837F
  EXPECT_EQ(Find("ﾆｭｰｽ", "にゅーす", FOLD_KANA | FOLD_WIDTH), P(0, 4));
  // Small kana as large, voiced as unvoiced, "-" and "－" as "ー".
  EXPECT_EQ(Find("キャッシュ", "キヤツシユ", FOLD_SMALL), P(0, 10));
  EXPECT_EQ(Find("きゃっしゅ", "きやつしゆ", FOLD_SMALL), P(0, 10));
  EXPECT_EQ(Find("ｷｬｯｼｭ", "ｷﾔﾂｼﾕ", FOLD_SMALL), P(0, 5));
  EXPECT_EQ(Find("ガンダム", "カンタム", FOLD_SMALL), P(0, 8));
  EXPECT_EQ(Find("ぱぴぷ", "はひふ", FOLD_SMALL), P(0, 6));
  EXPECT_EQ(Find("ヴ", "ウ", FOLD_SMALL), P(0, 2));
  EXPECT_EQ(Find("メ-ル", "メール", FOLD_SMALL), P(0, 5));
  EXPECT_EQ(Find("メ－ル", "メール", FOLD_SMALL), P(0, 6));
  EXPECT_EQ(Find("メ-ル", "メール", 0), P(-1, 0));
  // All four together: half-width voiced katakana against hiragana written with small kana.
  EXPECT_EQ(Find("[ｼﾞｬﾝﾌﾟ]", "しやんふ", FOLD_WIDTH | FOLD_KANA | FOLD_SMALL | FOLD_CASE), P(1, 6));
}

TEST(WidthConversion, VoicedKanaRoundTrip) {
  int changed = -1;
  const std::string full = J("ガギグゲゴザジズゼゾダヂヅデドバビブベボパピプペポヴ");
  std::string half = ToHalfWidth(full, &changed);
  EXPECT_EQ(changed, 26);
  EXPECT_EQ(half, J("ｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟｳﾞ"));
  EXPECT_EQ(ToFullWidth(half, &changed), full);
  EXPECT_EQ(changed, 26);

  // Every half-width character comes back from full width unchanged, and ASCII round-trips.
  std::string all;
  for (int b = 0x20; b <= 0x7E; ++b) all += static_cast<char>(b);
  for (int b = 0xA1; b <= 0xDF; ++b) all += static_cast<char>(b);
  std::string wide = ToFullWidth(all, &changed);
  EXPECT_EQ(changed, 0x5F + 0x3F);
  EXPECT_EQ(wide.size(), 2 * all.size());
  EXPECT_EQ(ToHalfWidth(wide, &changed), all);
  EXPECT_EQ(changed, 0x5F + 0x3F);
  // The full-width forms are the ones the code page converts to U+3000 and U+FF01..U+FF5E.
  EXPECT_EQ(U(ToFullWidth("A\"~ \\")), "Ａ＂～　＼");
}

TEST(WidthConversion, OtherCharacters) {
  int changed = -1;
  EXPECT_EQ(ToHalfWidth(J("‐×÷「テスト」。"), &changed), J("-*/｢ﾃｽﾄ｣｡"));
  EXPECT_EQ(changed, 9);
  // Voiced hiragana become half-width katakana with the mark; plain hiragana and kanji stay.
  EXPECT_EQ(ToHalfWidth(J("がぱあ漢"), &changed), J("ｶﾞﾊﾟあ漢"));
  EXPECT_EQ(changed, 2);
  // Katakana without a half-width form stay; a mark after a kana without voiced form stays separate.
  EXPECT_EQ(ToHalfWidth(J("ヵヶヮ")), J("ヵヶヮ"));
  EXPECT_EQ(ToFullWidth(J("ｱﾞ漢ﾞ"), &changed), J("ア゛漢゛"));
  EXPECT_EQ(changed, 3);
  // The code page's second codes of the full-width quote and apostrophe (EEFC, EEFB) narrow too.
  EXPECT_EQ(ToHalfWidth("\xEE\xFC\xEE\xFB"), "\"'");
  EXPECT_EQ(ToHalfWidth(""), "");
  EXPECT_EQ(ToFullWidth("\x83"), "\x83");  // a lone lead byte is copied
}

// A carried character (five bytes, four of them in the half-width katakana range) is one character that
// no folding or width conversion changes; the kana around it still fold.
TEST(WidthConversion, CarriedCharactersAreNeverKana) {
  const std::string carried = J("é🍣〜");
  ASSERT_EQ(carried.size(), 15u);
  int changed = -1;
  EXPECT_EQ(ToFullWidth(carried, &changed), carried);
  EXPECT_EQ(changed, 0);
  EXPECT_EQ(ToHalfWidth(carried, &changed), carried);
  EXPECT_EQ(changed, 0);
  const std::string mixed = J("ｶﾞé🍣ｱ");
  EXPECT_EQ(ToFullWidth(mixed, &changed), J("ガé🍣ア"));
  EXPECT_EQ(changed, 2);
  EXPECT_EQ(ToHalfWidth(J("ガé🍣ア")), mixed);

  const int all = FOLD_WIDTH | FOLD_CASE | FOLD_KANA | FOLD_SMALL;
  int length = 0;
  // The digits of a carried character are no half-width kana: "ｱ" and "ア" are not found inside one.
  EXPECT_EQ(FindFolded(carried, J("ｱ"), all), -1);
  EXPECT_EQ(FindFolded(carried, std::string(1, '\xA3'), 0), -1);
  EXPECT_EQ(FindFolded(J("x🍣ｶﾞé"), J("🍣ガ"), all, &length), 1);
  EXPECT_EQ(length, 5 + 2);
  EXPECT_EQ(FindFolded(J("Café"), J("CAFÉ"), FOLD_CASE), -1);  // only ASCII and full-width letters fold
  EXPECT_EQ(FindFolded(J("Café"), J("CAFé"), FOLD_CASE), 0);
}
