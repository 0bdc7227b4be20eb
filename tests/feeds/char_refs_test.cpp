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
  // Characters the code page lacks become "?".
  EXPECT_EQ(DecodeCharacterReferences("&#169;&#x1F600;&#xAC00;", false), "???");
  // Malformed, out of range and forbidden numbers stay as written.
  for (const char* kept : {"&#;", "&#x;", "&#12", "&#xZ1;", "&#0;", "&#x110000;", "&#xD800;", "&#1;",
                           "&#xFFFE;", "&#99999999999999999999999;", "& amp;", "&", "&&;"}) {
    EXPECT_EQ(DecodeCharacterReferences(kept, true), kept) << kept;
  }
  EXPECT_EQ(DecodeCharacterReferences("&#9;&#10;&#13;", false), "\t\n\r");
}

TEST(CharRefs, HtmlNamedEntitiesOnlyWhenAsked) {
  EXPECT_EQ(DecodeCharacterReferences("a&nbsp;b &copy; &eacute;", false), "a&nbsp;b &copy; &eacute;");
  // &nbsp; is a plain space; the code page has neither © nor é.
  EXPECT_EQ(DecodeCharacterReferences("a&nbsp;b &copy; &eacute;", true), "a b ? ?");
  EXPECT_EQ(DecodeCharacterReferences("&alpha;&Omega;&times;&divide;&hellip;&rarr;&hearts;", true),
            J("αΩ×÷…→") + "?");
  EXPECT_EQ(DecodeCharacterReferences("&yen;100 &oline;", true), J("￥100 ￣"));
  EXPECT_EQ(DecodeCharacterReferences("&thetasym;&zwnj;&AElig;", true), "???");
  // Names are case-sensitive; unknown and over-long names stay.
  EXPECT_EQ(DecodeCharacterReferences("&Alpha;&ALPHA;&foo;&thetasymx;&nbsp", true), J("Α") + "&ALPHA;&foo;&thetasymx;&nbsp");
  // Windows-1252 numbers as browsers read them: &#150; is the en dash (not in the code page), &#133;
  // the ellipsis.
  EXPECT_EQ(DecodeCharacterReferences("&#133;&#150;&#x99;", true), J("…") + "??");
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
