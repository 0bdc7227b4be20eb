#include "feeds/xml_escape.h"
#include "platform/text_codec.h"
#include "support/missing.h"
#include "support/test_env.h"

TEST(XmlEscape, EscapeXmlTextEscapesEveryCharacterOnce) {
  EXPECT_EQ(EscapeXmlText("a<b & 'c'"), "a&lt;b &amp; &apos;c&apos;");
  EXPECT_EQ(EscapeXmlText("\"x\" > y"), "&quot;x&quot; &gt; y");
  EXPECT_EQ(EscapeXmlText(""), "");
  EXPECT_EQ(EscapeXmlText("&amp;"), "&amp;amp;");
  EXPECT_EQ(EscapeXmlText("&lt;"), "&amp;lt;");
  EXPECT_EQ(EscapeXmlText(J("日本語ソ表")), J("日本語ソ表"));  // second bytes 5C and 5D untouched
}

TEST(XmlEscape, ForbiddenCharactersAreDropped) {
  EXPECT_EQ(StripXmlForbiddenChars(std::string("a\x01" "b\x1F\tc\r\nd\x0B\x0C\x7F", 13)), "ab\tc\r\nd\x7F");
  EXPECT_EQ(StripXmlForbiddenChars(std::string("x\0y", 3)), "xy");
  EXPECT_EQ(StripXmlForbiddenChars(J("テスト表")), J("テスト表"));
  // A lead byte followed by a control byte is no character: the control byte goes all the same, so the
  // UTF-8 written from the result never holds it.
  std::string stripped = StripXmlForbiddenChars("\x83\x01z\x82");
  EXPECT_EQ(stripped, "\x83z\x82");
  for (char c : AnsiToUtf8(stripped)) EXPECT_FALSE(static_cast<unsigned char>(c) < 0x20);
  EXPECT_EQ(StripXmlForbiddenChars(""), "");
}

TEST(XmlEscape, BareAmpersandsAndAttributes) {
  EXPECT_EQ(EscapeBareAmpersands("Tom & Jerry"), "Tom &amp; Jerry");
  EXPECT_EQ(EscapeBareAmpersands("a.cgi?x=1&y=2"), "a.cgi?x=1&amp;y=2");
  EXPECT_EQ(EscapeBareAmpersands("&"), "&amp;");
  EXPECT_EQ(EscapeBareAmpersands("&;&#;&#x;&#12a;&1a;"), "&amp;;&amp;#;&amp;#x;&amp;#12a;&amp;1a;");
  // References and markup come out exactly as they went in.
  const std::string markup = "<b>R&amp;D</b> &lt;x&gt; &#169; &#xA9; &nbsp; &my-ent.x:1; <a href=\"?a=1&amp;b=2\">";
  EXPECT_EQ(EscapeBareAmpersands(markup), markup);
  EXPECT_EQ(EscapeBareAmpersands(J("日本&語")), J("日本&amp;語"));

  EXPECT_EQ(EscapeAttributeText("http://x/?a=1&b=\"2\"<"), "http://x/?a=1&amp;b=&quot;2&quot;&lt;");
  EXPECT_EQ(EscapeAttributeText("tag:example.jp,2006:&amp;"), "tag:example.jp,2006:&amp;");
  EXPECT_EQ(EscapeAttributeText("it's > ok"), "it's > ok");
}

TEST(XmlEscape, CdataContentIsSplitAtEveryEndMarker) {
  using V = std::vector<std::string>;
  EXPECT_EQ(SplitCdataContent(""), V{""});
  EXPECT_EQ(SplitCdataContent("<p>x</p>"), V{"<p>x</p>"});
  EXPECT_EQ(SplitCdataContent("a]]>b"), (V{"a]]", ">b"}));
  EXPECT_EQ(SplitCdataContent("]]>]]>"), (V{"]]", ">]]", ">"}));
  EXPECT_EQ(SplitCdataContent("]]]>"), (V{"]]]", ">"}));
  EXPECT_EQ(SplitCdataContent("]>]]"), V{"]>]]"});
  // Written as consecutive sections, the pieces form well-formed XML that reads back as the content.
  const std::string content = "x]]>y]]]]>z" + J("ソ]>");
  std::string xml = "<r>";
  std::string joined;
  for (const std::string& piece : SplitCdataContent(content)) {
    EXPECT_EQ(piece.find("]]>"), std::string::npos);
    xml += "<![CDATA[" + piece + "]]>";
    joined += piece;
  }
  xml += "</r>";
  EXPECT_EQ(joined, content);
  if (PresentOrFailInCi(HaveProgram("xmllint"), "xmllint is not installed")) {
    const std::string dir = testing::TempDir();
    WriteFile(dir + "/cdata.xml", AnsiToUtf8(xml));
    std::string out;
    EXPECT_EQ(RunCommand("xmllint --xpath 'string(/r)' " + dir + "/cdata.xml", &out), 0);
    EXPECT_EQ(out, AnsiToUtf8(content) + "\n");
  }
}
