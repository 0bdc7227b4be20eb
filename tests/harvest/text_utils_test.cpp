#include "harvest/text_utils.h"
#include "support/test_env.h"

namespace {
class TextUtils : public VamelTest {};
}  // namespace

TEST_F(TextUtils, LeadBytesAndLastChar) {
  const std::string s = J("aア") + "b";  // 61 83 41 62
  EXPECT_EQ(IsLeadByteAt(s, 0), 0);
  EXPECT_EQ(IsLeadByteAt(s, 1), 1);
  EXPECT_EQ(IsLeadByteAt(s, 2), 0);  // second byte
  EXPECT_EQ(IsLeadByteAt(s, 3), 0);
  EXPECT_EQ(IsLeadByteAt(s, 4), -1);
  EXPECT_EQ(IsLeadByteAt("", 0), -1);
  // Two lead bytes in a row: the second one is a second byte, the third starts a character again.
  EXPECT_EQ(IsLeadByteAt("\x83\x83\x83\x41", 1), 0);
  EXPECT_EQ(IsLeadByteAt("\x83\x83\x83\x41", 2), 1);
  EXPECT_EQ(LastChar(""), "");
  EXPECT_EQ(LastChar("x"), "x");
  EXPECT_EQ(LastChar(s), "b");
  EXPECT_EQ(LastChar(J("a表")), J("表"));  // 95 5C: not a "\"
  EXPECT_EQ(LastChar("a\\"), "\\");
}

TEST_F(TextUtils, TagsRunsAndDescriptionCut) {
  EXPECT_EQ(StripTags("a<b>c<d"), "acd");
  EXPECT_EQ(StripTags("<p>x</p>"), "x");
  EXPECT_EQ(StripTags("a>b<"), "a>b");
  EXPECT_EQ(StripTags(""), "");
  EXPECT_EQ(StripTags(J("<b>日本</b>語")), J("日本語"));
  EXPECT_EQ(CollapseRuns("  a   b ", ' '), " a b ");
  EXPECT_EQ(CollapseRuns("", ' '), "");

  // 252 ASCII bytes then a double-byte character: the cut keeps 252 bytes.
  std::string lead = std::string(252, 'x') + J("あい");
  ASSERT_EQ(lead.size(), 256u);
  std::string cut = CutForDescription(lead);
  EXPECT_EQ(cut.size(), 254u);
  EXPECT_EQ(cut, std::string(252, 'x') + "..");
  // 251 ASCII bytes then double-byte characters: byte 252 is a second byte, the cut keeps 253.
  std::string trail = std::string(251, 'x') + J("あいう");
  ASSERT_EQ(trail.size(), 257u);
  cut = CutForDescription(trail);
  EXPECT_EQ(cut, std::string(251, 'x') + J("あ") + "..");
  EXPECT_EQ(cut.size(), 255u);
  EXPECT_EQ(CutForDescription(std::string(255, 'y')), std::string(255, 'y'));
  EXPECT_EQ(CutForDescription(std::string(256, 'y')), std::string(253, 'y') + "..");
}

TEST_F(TextUtils, RelativePathWindowsAndNative) {
  EXPECT_EQ(RelativePath("C:\\site\\index.rdf", "C:\\Site\\news\\a.html"), "news/a.html");
  EXPECT_EQ(RelativePath("C:\\site\\index.rdf", "C:\\other\\b.html"), "../other/b.html");
  EXPECT_EQ(RelativePath("C:\\site\\index.rdf", "C:\\site\\b.html"), "b.html");
  EXPECT_EQ(RelativePath("C:\\site\\index.rdf", "D:\\b.html"), "../../D:/b.html");
  EXPECT_EQ(RelativePath("/srv/site/index.rdf", "/srv/site/news/a.html"), "news/a.html");
  EXPECT_EQ(RelativePath("/srv/site/index.rdf", "/srv/site/a.html"), "a.html");
  EXPECT_EQ(RelativePath("/srv/site/news/index.rdf", "/srv/site/a.html"), "../a.html");
  // Whole folders compare byte for byte first; a case difference takes the component route.
  EXPECT_EQ(RelativePath("C:\\Site\\x.rdf", "C:\\site\\a.html"), "a.html");
  // A folder name whose double-byte character ends in 5C keeps it; "ア" (83 41) is not "a".
  EXPECT_EQ(RelativePath(J("C:\\表\\i.rdf"), J("C:\\表\\ソ\\a.html")), J("ソ/a.html"));
  EXPECT_EQ(RelativePath(J("C:\\ア\\i.rdf"), J("C:\\チ\\a.html")), J("../チ/a.html"));
  EXPECT_EQ(RelativePath("", "a.html"), "a.html");
  EXPECT_EQ(RelativePath("", ""), "");
}

TEST_F(TextUtils, ResolveRelativePathAndUrl) {
  EXPECT_EQ(ResolveRelativePath("C:\\site\\news\\a.html", "../img/x.gif"), "C:\\site\\img\\x.gif");
  EXPECT_EQ(ResolveRelativePath("C:\\site\\a.html", "b/c.html"), "C:\\site\\b\\c.html");
  EXPECT_EQ(ResolveRelativePath("C:\\site\\a.html", "../x"), "C:\\x");
  EXPECT_EQ(ResolveRelativePath(J("C:\\表\\a.html"), "b.html"), J("C:\\表\\b.html"));
  // Native paths resolve with "/".
  EXPECT_EQ(ResolveRelativePath("/srv/site/news/a.html", "../img/x.gif"), "/srv/site/img/x.gif");
  EXPECT_EQ(ResolveRelativePath("/srv/site/a.html", "b\\c.html"), "/srv/site/b/c.html");
  EXPECT_EQ(ResolveRelativePath("/a.html", "x.html"), "/x.html");

  EXPECT_EQ(ResolveRelativeUrl("http://server/a/b/page.html", "../img/x.gif"), "http://server/a/img/x.gif");
  EXPECT_EQ(ResolveRelativeUrl("http://server/a/b/page.html", "x.html"), "http://server/a/b/x.html");
  EXPECT_EQ(ResolveRelativeUrl("http://server/", "news/a.html"), "http://server/news/a.html");
  EXPECT_EQ(ResolveRelativeUrl("https://example.jp/", J("日本/表.html")), "https://example.jp/" + J("日本/表.html"));

  // Too many levels: the reference back with its own separators, and the flag that says so.
  bool wrong = false;
  EXPECT_EQ(ResolveRelativeUrl("http://server/a.html", "../../../x", &wrong), "../../../x");
  EXPECT_TRUE(wrong);
  EXPECT_EQ(ResolveRelativePath("C:\\a.html", "..\\..\\x", &wrong), "..\\..\\x");
  EXPECT_TRUE(wrong);
  EXPECT_EQ(ResolveRelativePath("/a.html", "../x", &wrong), "../x");
  EXPECT_TRUE(wrong);
  EXPECT_EQ(ResolveRelativePath("/srv/a.html", "x", &wrong), "/srv/x");
  EXPECT_FALSE(wrong);
}

TEST_F(TextUtils, ScrambleIsReversible) {
  const std::string password = "Pass-word_09 xyZ" + J("日本");
  std::string scrambled = ScrambleText(password, kFtpObjectPasswordKey);
  EXPECT_EQ(scrambled.size(), password.size());
  EXPECT_NE(scrambled, password);
  EXPECT_EQ(UnscrambleText(scrambled, kFtpObjectPasswordKey), password);
  EXPECT_EQ(kFtpObjectPasswordKey.size(), 17u);
  EXPECT_EQ(ScrambleText("9Zz!", {1}), "0Aa!");
  EXPECT_EQ(UnscrambleText("0Aa!", {1}), "9Zz!");
  EXPECT_EQ(ScrambleText("abc", {}), "abc");
  // Keys beyond one digit and negative keys still invert.
  std::vector<int> odd = {37, -4, 1000001, -2147483647 - 1};
  EXPECT_EQ(UnscrambleText(ScrambleText("Azaz0909", odd), odd), "Azaz0909");
}

// Carried characters (what code page 932 lacks) are one character of five bytes to every helper: a cut,
// the last character and the path walks never split one, and none of their bytes is taken for "/".
TEST_F(TextUtils, CarriedCharactersAreWholeCharacters) {
  const std::string sushi = J("🍣");
  ASSERT_EQ(sushi.size(), 5u);
  const std::string s = "a" + sushi + J("ア");
  EXPECT_EQ(IsLeadByteAt(s, 1), 1);
  for (size_t inside = 2; inside <= 5; ++inside) EXPECT_EQ(IsLeadByteAt(s, inside), 0) << inside;
  EXPECT_EQ(IsLeadByteAt(s, 6), 1);
  EXPECT_EQ(LastChar("a" + sushi), sushi);
  EXPECT_EQ(LastChar(sushi + "b"), "b");

  // Descriptions cut at the byte limit next to a carried character: never half of one, never more
  // than 255 bytes, and 253 bytes kept whenever the character ends at or before byte 253.
  for (size_t before = 245; before <= 253; ++before) {
    const std::string text = std::string(before, 'x') + J("é") + std::string(300, 'y');
    const std::string cut = CutForDescription(text);
    SCOPED_TRACE(before);
    EXPECT_LE(cut.size(), 255u);
    const size_t kept = before + 5 <= 253 ? 253 : before;
    EXPECT_EQ(cut, text.substr(0, kept) + "..");
    EXPECT_TRUE(U(cut).find("\xEF\xBF\xBD") == std::string::npos);
  }
  // Text that code page 932 holds keeps its cut points (252 before a double-byte character at 252).
  EXPECT_EQ(CutForDescription(std::string(252, 'x') + J("あ") + sushi), std::string(252, 'x') + "..");

  // Paths and URLs with carried characters resolve as Japanese ones do.
  const std::string folder = J("写真🍣");
  EXPECT_EQ(RelativePath("/srv/site/index.rdf", "/srv/site/" + folder + "/" + J("café.html")), folder + "/" + J("café.html"));
  EXPECT_EQ(RelativePath(J("C:\\site\\🍣\\i.rdf"), J("C:\\site\\é\\a.html")), J("../é/a.html"));
  EXPECT_EQ(ResolveRelativePath("/srv/" + folder + "/a.html", "../b.html"), "/srv/b.html");
  EXPECT_EQ(ResolveRelativeUrl(J("https://example.jp/絵文字🍣/a.html"), "../x.html"), "https://example.jp/x.html");
}
