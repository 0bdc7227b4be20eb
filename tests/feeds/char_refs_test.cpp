#include "feeds/char_refs.h"
#include "support/test_env.h"

TEST(CharRefs, PredefinedAndNumericReferences) {
  EXPECT_EQ(DecodeCharacterReferences("a &lt;b&gt; &amp; &quot;c&quot; &apos;d&apos;", false), "a <b> & \"c\" 'd'");
  EXPECT_EQ(DecodeCharacterReferences("&amp;amp;", false), "&amp;");  // decoded once
  EXPECT_EQ(DecodeCharacterReferences("&amp;lt;", true), "&lt;");
  EXPECT_EQ(DecodeCharacterReferences("&#65;&#x42;&#X43;&#0000068;", false), "ABCD");
  EXPECT_EQ(DecodeCharacterReferences("&#26085;&#x672C;", false), J("日本"));
  EXPECT_EQ(DecodeCharacterReferences("&#xFF71;", false), J("ｱ"));
  EXPECT_EQ(DecodeCharacterReferences("&#x2460;", false), J("①"));
  // Characters the code page lacks are carried as themselves; U+301C is not the code page's ～.
  EXPECT_EQ(U(DecodeCharacterReferences("&#169;&#x1F600;&#xAC00;&#x301C;&#xFF5E;", false)), "©😀가〜～");
  EXPECT_EQ(DecodeCharacterReferences("&#xFF5E;", false), "\x81\x60");
  // Malformed, out of range and forbidden numbers stay as written.
  for (const char* kept : {"&#;", "&#x;", "&#12", "&#xZ1;", "&#0;", "&#x110000;", "&#xD800;", "&#1;",
                           "&#xFFFE;", "&#99999999999999999999999;", "& amp;", "&", "&&;"}) {
    EXPECT_EQ(DecodeCharacterReferences(kept, true), kept) << kept;
  }
  EXPECT_EQ(DecodeCharacterReferences("&#9;&#10;&#13;", false), "\t\n\r");
}

TEST(CharRefs, HtmlNamedEntitiesOnlyWhenAsked) {
  EXPECT_EQ(DecodeCharacterReferences("a&nbsp;b &copy; &eacute;", false), "a&nbsp;b &copy; &eacute;");
  // Every character as itself, whether the code page has it or not: &nbsp; is the no-break space,
  // &yen; the yen sign (not the code page's "\" nor its full-width ￥).
  EXPECT_EQ(U(DecodeCharacterReferences("a&nbsp;b &copy; &eacute;", true)), "a\u00A0b © é");
  EXPECT_EQ(DecodeCharacterReferences("&alpha;&Omega;&times;&divide;&hellip;&rarr;&hearts;", true),
            J("αΩ×÷…→♥"));
  EXPECT_EQ(U(DecodeCharacterReferences("&yen;100 &oline;", true)), "¥100 ‾");
  EXPECT_EQ(U(DecodeCharacterReferences("&thetasym;&zwnj;&AElig;", true)), "ϑ\u200CÆ");
  // Names are case-sensitive; unknown and over-long names stay.
  EXPECT_EQ(DecodeCharacterReferences("&Alpha;&ALPHA;&foo;&thetasymx;&nbsp", true), J("Α") + "&ALPHA;&foo;&thetasymx;&nbsp");
  // Windows-1252 numbers as browsers read them: &#150; is the en dash (not in the code page), &#133;
  // the ellipsis.
  EXPECT_EQ(U(DecodeCharacterReferences("&#133;&#150;&#x99;", true)), "…–™");
}

TEST(CharRefs, DoubleByteTextAndLongInput) {
  EXPECT_EQ(DecodeCharacterReferences(J("表&amp;ソ"), false), J("表&ソ"));
  EXPECT_EQ(DecodeCharacterReferences("", true), "");
  EXPECT_EQ(DecodeCharacterReferences("\x83", true), "\x83");
  // A long run of ampersands and digits decodes in one pass.
  std::string many;
  for (int i = 0; i < 20000; ++i) many += "&#65;&&#";
  std::string expected;
  for (int i = 0; i < 20000; ++i) expected += "A&&#";
  EXPECT_EQ(DecodeCharacterReferences(many, true), expected);
}
