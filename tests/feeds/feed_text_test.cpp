// How the writers put text into feeds, the strict well-formedness check, and the Atom ids.
#include "feeds/feed_writers.h"
#include "feeds/feed_items.h"
#include "feeds/feed_text.h"
#include "platform/url_parts.h"
#include "feeds/xml_well_formed.h"
#include "model/rss_file.h"
#include "platform/text_codec.h"
#include "support/test_env.h"
#include "xml/vxml_element.h"

namespace {

class FeedText : public VamelTest {};

std::string Markup(const std::string& text) {
  CVXMLElement element("title", std::string());
  SetFeedMarkupText(element, text);
  std::string out;
  for (const CVXMLNode* child : *element.GetChildNodes()) child->AppendXml(out, kXmlCompact);
  return out;
}

TEST_F(FeedText, EscapedUrlAndAttributeText) {
  EXPECT_EQ(FeedEscapedText("a<b & 'c' \"d\" >"), "a&lt;b &amp; &apos;c&apos; &quot;d&quot; &gt;");
  EXPECT_EQ(FeedEscapedText("&amp;"), "&amp;amp;");
  EXPECT_EQ(FeedEscapedText(std::string("a\x01\x08\x1F\tb\r\n\0c", 10)), "a\tb\r\nc");
  // URLs: query strings become well-formed, references stay, markup characters are escaped.
  EXPECT_EQ(FeedUrlText("index.php?id=1&page=2"), "index.php?id=1&amp;page=2");
  EXPECT_EQ(FeedUrlText("a.cgi?x=1&amp;y=2&#38;z=&#x26;"), "a.cgi?x=1&amp;y=2&#38;z=&#x26;");
  EXPECT_EQ(FeedUrlText("http://x/<b>]]>\"'"), "http://x/&lt;b&gt;]]&gt;\"'");
  EXPECT_EQ(FeedAttributeText("a?b=\"1\"&c=<2>"), "a?b=&quot;1&quot;&amp;c=&lt;2>");
  // References a document without a DTD cannot hold: unknown names and non-characters lose their
  // meaning as references, HTML entities become numeric references.
  EXPECT_EQ(RepairReferences("&nbsp;&copy;&eacute;&lt;&apos;"), "&#160;&#169;&#233;&lt;&apos;");
  EXPECT_EQ(RepairReferences("&foo; &#0; &#xD800; &#1114112; &#; & x&"), "&amp;foo; &amp;#0; &amp;#xD800; &amp;#1114112; &amp;#; &amp; x&amp;");
  EXPECT_EQ(RepairReferences("&#12354;&#x3042;"), "&#12354;&#x3042;");
}

TEST_F(FeedText, SiteFieldsAreMarkupOnlyWhenWellFormed) {
  EXPECT_EQ(Markup("A&B"), "A&amp;B");
  EXPECT_EQ(Markup("A &amp; B"), "A &amp; B");
  EXPECT_EQ(Markup("<b>x</b> y"), "<b>x</b> y");
  EXPECT_EQ(Markup("<a href='p?a=1&b=2'>x</a>"), "<a href=\"p?a=1&amp;b=2\">x</a>");
  EXPECT_EQ(Markup(J("日記 &nbsp;")), J("日記 &#160;"));
  // Not well-formed: what the user typed, escaped, instead of a broken feed or a lost part.
  EXPECT_EQ(Markup("A < B"), "A &lt; B");
  EXPECT_EQ(Markup("x<br>y"), "x&lt;br&gt;y");
  EXPECT_EQ(Markup("a</b>c"), "a&lt;/b&gt;c");
  EXPECT_EQ(Markup("a]]>b"), "a]]&gt;b");
  EXPECT_EQ(Markup("<dc:x>1</dc:x>"), "&lt;dc:x&gt;1&lt;/dc:x&gt;");
  EXPECT_EQ(Markup("<b>\x01x</b>"), "<b>x</b>");
  EXPECT_EQ(Markup(""), "");
}

// A tag's name holds only characters XML 1.0 allows in names (by its fourth edition, which every
// parser accepts): "<■>", "<☃>", "<→>" and "<°>" are text, escaped; kana and kanji names are names.
TEST_F(FeedText, MarkupNamesFollowXmlNameRules) {
  for (const char* name : {"■", "☃", "→", "°", "a■", "・", "ー"}) {
    const std::string tag = J(name);
    EXPECT_EQ(Markup("<" + tag + ">x</" + tag + ">"), "&lt;" + tag + "&gt;x&lt;/" + tag + "&gt;") << name;
    EXPECT_FALSE(IsWellFormedXmlContent("<" + tag + "/>", false)) << name;
    EXPECT_FALSE(IsWellFormedXmlDocument("<r><" + std::string(name) + "/></r>")) << name;
  }
  EXPECT_EQ(Markup(J("<説明 属性='1'>x</説明>")), J("<説明 属性=\"1\">x</説明>"));
  EXPECT_EQ(Markup(J("<aー々é>x</aー々é>")), J("<aー々é>x</aー々é>"));
  EXPECT_TRUE(IsWellFormedXmlDocument("<r><\xC3\xA9t\xC3\xA9/></r>"));
  EXPECT_FALSE(IsWellFormedXmlDocument("<r><e\xC3/></r>"));
}

TEST_F(FeedText, CdataSectionsNeverEndEarly) {
  auto cdata = [](const std::string& content) {
    CVXMLElement element("content", std::string());
    AppendFeedCdata(element, content);
    std::string out;
    for (const CVXMLNode* child : *element.GetChildNodes()) child->AppendXml(out, kXmlCompact);
    return out;
  };
  EXPECT_EQ(cdata("<p>x</p>"), "<![CDATA[<p>x</p>]]>");
  EXPECT_EQ(cdata("a]]>b"), "<![CDATA[a]]]]><![CDATA[>b]]>");
  EXPECT_EQ(cdata(""), "<![CDATA[]]>");
  // A lead byte at the end would join the "]" of "]]>" once the file is converted to UTF-8.
  std::string broken = cdata("x\x81");
  EXPECT_EQ(broken.substr(broken.size() - 3), "]]>");
  EXPECT_EQ(AnsiToUtf8(broken).substr(AnsiToUtf8(broken).size() - 3), "]]>");
  EXPECT_EQ(cdata(J("本文")), "<![CDATA[" + J("本文") + "]]>");
}

TEST_F(FeedText, WellFormedCheck) {
  for (const char* good : {"", "text", "<a>x</a>", "<a b=\"1\" c='2'/>", "<a><b/>x&amp;&#60;&#x3C;</a>",
                           "<![CDATA[<x>]]>", "<!-- c -->", "a > b", "<a\tb = \"1\"  >x</a >"}) {
    EXPECT_TRUE(IsWellFormedXmlContent(good, false)) << good;
  }
  for (const char* bad : {"<", "a < b", "<a>", "</a>", "<a></b>", "<a b=1/>", "<a b=\"<\"/>", "<a b='1' b='2'/>",
                          "&nbsp;", "&", "&#0;", "a]]>b", "<![CDATA[x", "<!-- a -- b -->", "<?pi x?>", "<a:b/>",
                          "<a xmlns='x'/>", "<1a/>", "<a b='1'c='2'/>", "\x01"}) {
    EXPECT_FALSE(IsWellFormedXmlContent(bad, false)) << bad;
  }
  EXPECT_TRUE(IsWellFormedXmlContent("<a:b xmlns:a='u'/>", true));
  EXPECT_TRUE(IsWellFormedXmlDocument("<?xml version=\"1.0\" ?>\r\n<r>\r\n\t<a />\r\n</r>"));
  EXPECT_TRUE(IsWellFormedXmlDocument("<r/>"));
  EXPECT_FALSE(IsWellFormedXmlDocument("<r/><r/>"));
  EXPECT_FALSE(IsWellFormedXmlDocument("x<r/>"));
  EXPECT_FALSE(IsWellFormedXmlDocument(""));
  EXPECT_FALSE(IsWellFormedXmlDocument("<r>\x82\xA0</r>"));  // not UTF-8
}

TEST_F(FeedText, UrlHostAndPath) {
  struct Case {
    const char* url;
    const char* host;
    const char* path;
  };
  for (const Case& c : {Case{"https://example.jp/diary/0102.html", "example.jp", "/diary/0102.html"},
                        Case{"http://user:pw@Example.JP:8080/a/../b?x=1&y=2#top", "Example.JP", "/a/../b?x=1&y=2#top"},
                        Case{"http://example.jp", "example.jp", "/"}, Case{"http://example.jp?q", "example.jp", "/?q"},
                        Case{"ftp://files.example.jp/pub/", "files.example.jp", "/pub/"},
                        Case{"http://[::1]:80/x", "[::1]", "/x"}, Case{"example.jp/x.html", "", ""},
                        Case{"/diary/x.html", "", ""}, Case{"", "", ""}, Case{"http://", "", ""},
                        Case{"http://bad host/x", "", ""}}) {
    std::string host = "stale", path = "stale";
    SplitUrlHostPath(c.url, host, path);
    EXPECT_EQ(host, c.host) << c.url;
    EXPECT_EQ(path, c.path) << c.url;
  }
  // Japanese paths come back as the same internal text.
  std::string host, path;
  ASSERT_TRUE(SplitUrlHostPath(J("http://example.jp/日記/一月.html"), host, path));
  EXPECT_EQ(path, J("/日記/一月.html"));
}

TEST_F(FeedText, ItemAndFeedIds) {
  CRssItem item(1136163784);  // 2006-01-02 in Japan
  item.url = "https://example.jp/diary/0102.html";
  EXPECT_EQ(GetItemTagId(item), "tag:example.jp,2006-01-02:diary0102.html");
  {
    ScopedTimeZone tz("UTC");  // the local day of publication
    item.published = 1136073600 - 1;  // 2005-12-31 23:59:59 UTC
    EXPECT_EQ(GetItemTagId(item), "tag:example.jp,2005-12-31:diary0102.html");
  }
  item.published = 1136163784;
  CRssItem other(1136163784);
  other.url = "https://example.jp/diary0102.html";
  EXPECT_EQ(GetItemTagId(other), GetItemTagId(item));  // only the slashes differ
  item.url = "not a url";
  EXPECT_EQ(GetItemTagId(item), "tag:,2006-01-02:");

  SetCurrentTimeOverride(1136163784);
  CRssFile project;
  project.siteUrl = "https://example.jp/";
  EXPECT_EQ(GetFeedId(project), "tag:example.jp,2006:");
  project.siteUrl = "https://example.jp/~taro/site/";
  EXPECT_EQ(GetFeedId(project), "tag:example.jp,2006:~tarosite");
  SetCurrentTimeOverride(1167609600);  // 2007-01-01 09:00 in Japan: the year turns
  EXPECT_EQ(GetFeedId(project), "tag:example.jp,2007:~tarosite");
  project.feedId = "urn:uuid:60a76c80-d399-11d9-b93C-0003939e0af6";
  EXPECT_EQ(GetFeedId(project), project.feedId);

  EXPECT_EQ(GetAtomSelfUrl(project), "https://example.jp/~taro/site/atom.xml");
  project.siteUrl = "https://example.jp/~taro";
  project.atomFileName = "feed.xml";
  EXPECT_EQ(GetAtomSelfUrl(project), "https://example.jp/~taro/feed.xml");
}

}  // namespace
