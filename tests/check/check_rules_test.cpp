// Each hand-written rule on a small feed that breaks it and nothing else: exactly that finding, at
// the right line and column. The untouched feeds give no finding at all.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "check/check_test_support.h"
#include "support/test_env.h"

namespace {

const char* const kRss20 = R"(<?xml version="1.0" encoding="utf-8"?>
<rss version="2.0" xmlns:atom="http://www.w3.org/2005/Atom">
<channel>
<title>T</title>
<link>https://example.jp/</link>
<description>D</description><atom:link rel="self" href="https://example.jp/rss.xml" type="application/rss+xml" />
<pubDate>Sun, 01 Jan 2006 00:00:00 GMT</pubDate>
<item>
<title>A</title>
<link>https://example.jp/a.html</link>
<guid>https://example.jp/a.html</guid>
<description>&lt;p&gt;x&lt;/p&gt;</description>
<pubDate>Mon, 02 Jan 2006 10:03:04 +0900</pubDate>
</item>
<item>
<title>B</title>
<guid isPermaLink="false">b-1</guid>
</item>
</channel>
</rss>
)";

const char* const kRss10 = R"(<?xml version="1.0" encoding="utf-8"?>
<rdf:RDF xmlns="http://purl.org/rss/1.0/" xmlns:rdf="http://www.w3.org/1999/02/22-rdf-syntax-ns#" xmlns:dc="http://purl.org/dc/elements/1.1/">
<channel rdf:about="https://example.jp/">
<title>T</title>
<link>https://example.jp/</link>
<description>D</description>
<items>
<rdf:Seq>
<rdf:li rdf:resource="https://example.jp/a.html" />
<rdf:li rdf:resource="https://example.jp/b.html" />
</rdf:Seq>
</items>
</channel>
<item rdf:about="https://example.jp/a.html">
<title>A</title>
<link>https://example.jp/a.html</link>
<dc:date>2006-01-02T10:03:04+09:00</dc:date>
</item>
<item rdf:about="https://example.jp/b.html">
<title>B</title>
<link>https://example.jp/b.html</link>
</item>
</rdf:RDF>
)";

const char* const kAtom10 = R"(<?xml version="1.0" encoding="utf-8"?>
<feed xmlns="http://www.w3.org/2005/Atom">
<title>T</title>
<link rel="alternate" href="https://example.jp/" />
<link rel="self" href="https://example.jp/atom.xml" />
<id>tag:example.jp,2006:feed</id>
<updated>2006-01-02T10:03:04+09:00</updated>
<author><name>N</name></author>
<entry>
<title>A</title>
<link href="https://example.jp/a.html" />
<id>tag:example.jp,2006:a</id>
<updated>2006-01-02T10:03:04+09:00</updated>
<summary type="html">&lt;p&gt;x&lt;/p&gt;</summary>
<content type="text">x</content>
</entry>
<entry>
<title>B</title>
<link rel="alternate" href="https://example.jp/b.html" />
<id>tag:example.jp,2006:b</id>
<updated>2006-01-02T10:03:04Z</updated>
</entry>
</feed>
)";

const char* const kAtom03 = R"(<?xml version="1.0" encoding="utf-8"?>
<feed version="0.3" xmlns="http://purl.org/atom/ns#">
<title>T</title>
<link rel="alternate" type="text/html" href="https://example.jp/" />
<modified>2006-01-02T10:03:04+09:00</modified>
<author><name>N</name></author>
<entry>
<title>A</title>
<link rel="alternate" type="text/html" href="https://example.jp/a.html" />
<id>tag:example.jp,2006:a</id>
<modified>2006-01-02T10:03:04+09:00</modified>
<issued>2006-01-02T10:03:04</issued>
<content type="text/html" mode="escaped">&lt;p&gt;x&lt;/p&gt;</content>
</entry>
</feed>
)";

TEST(CheckRules, TheBaseFeedsOfEveryFormatAreClean) {
  for (const char* base : {kRss20, kRss10, kAtom10, kAtom03}) {
    CFeedCheckResult result = CheckText(base);
    EXPECT_TRUE(result.wellFormed);
    EXPECT_EQ(Describe(result), "") << base;
  }
  EXPECT_EQ(CheckText(kRss20).format, CheckedFormat::Rss20);
  EXPECT_EQ(CheckText(kRss10).format, CheckedFormat::Rss10);
  EXPECT_EQ(CheckText(kAtom10).format, CheckedFormat::Atom10);
  EXPECT_EQ(CheckText(kAtom03).format, CheckedFormat::Atom03);
}

TEST(CheckRules, EncodingDeclaredAndMatchingTheBytes) {
  RunCases({
      {kRss20, {{R"( encoding="utf-8")", ""}}, "0:0 warning encoding-undeclared\n"},
      // Shift_JIS bytes in a file that says UTF-8: one error at the first byte that is not UTF-8.
      {kRss20, {{"<title>A", "<title>\x82\xa0"}}, "9:8 error encoding-mismatch\n"},
      {kRss20, {{"utf-8", "iso-8859-1"}, {"<title>A", "<title>\xc3\xa9"}}, "1:1 warning encoding-looks-utf8\n"},
      {kRss20, {{"utf-8", "x-no-such-encoding"}}, "1:1 error encoding-unknown\n"},
      {kRss20, {{"utf-8", "us-ascii"}, {"<title>B", "<title>\xc3\xa9"}}, "16:8 error encoding-mismatch\n"},
      {kRss20, {{"utf-8", "utf-16"}}, "1:1 error encoding-mismatch\n"},
  });
}

TEST(CheckRules, Rss20ChannelItemsDatesGuidsAndUrls) {
  RunCases({
      {kRss20, {{R"(version="2.0")", R"(version="0.92")"}}, "2:1 warning rss-version\n"},
      {kRss20, {{"<title>T</title>\n", ""}}, "3:1 error missing-element\n"},
      {kRss20, {{"<link>https://example.jp/</link>\n", ""}}, "3:1 error missing-element\n"},
      {kRss20, {{"<description>D</description>", ""}}, "3:1 error missing-element\n"},
      {kRss20, {{"<title>A</title>", "<title> </title>"}}, "9:1 warning empty-title\n"},
      {kRss20, {{"<title>B</title>\n", ""}}, "15:1 error rss20-item-empty\n"},
      {kRss20, {{"<link>https://example.jp/a.html</link>", "<link>/a.html</link>"}}, "10:1 error relative-url\n"},
      {kRss20, {{"<link>https://example.jp/</link>", "<link>https:/example.jp/</link>"}}, "5:1 error relative-url\n"},
      {kRss20, {{"<guid isPermaLink=\"false\">b-1", "<guid>b-1"}}, "17:1 error relative-url\n"},
      {kRss20, {{">b-1<", ">https://example.jp/a.html<"}}, "17:1 warning duplicate-guid\n"},
      {kRss20, {{"Mon, 02 Jan 2006 10:03:04 +0900", "2006-01-02T10:03:04+09:00"}}, "13:1 error rfc822-date\n"},
      {kRss20, {{"Mon, 02 Jan 2006 10:03:04 +0900", "Mon, 02 Jan 2006 10:03:04 +09:00"}}, "13:1 error rfc822-date\n"},
      {kRss20, {{"Mon, 02 Jan 2006 10:03:04 +0900", "Mon, 02 jan 2006 10:03:04 +0900"}}, "13:1 warning rfc822-loose\n"},
      {kRss20, {{"Mon, 02 Jan 2006 10:03:04 +0900", "Mon, 31 Feb 2006 10:03:04 +0900"}}, "13:1 error rfc822-date\n"},
      {kRss20, {{"Mon, 02 Jan 2006 10:03:04 +0900", "Tue, 02 Jan 2006 10:03:04 +0900"}}, "13:1 error day-of-week\n"},
      {kRss20, {{"Mon, 02 Jan 2006 10:03:04 +0900", "Mon, 02 Jan 2006 10:03:04 A"}}, "13:1 warning rfc822-loose\n"},
      {kRss20, {{"Mon, 02 Jan 2006 10:03:04 +0900", "02 Jan 2040 10:03:04 +0900"}}, "13:1 warning date-out-of-range\n"},
      // Two-digit years and white space around the date are RFC 822's own, looser form; a missing day
      // name, no seconds and the US zones are fine.
      {kRss20, {{"Mon, 02 Jan 2006 10:03:04 +0900", "Mon, 02 Jan 06 10:03 EST"}}, "13:1 warning rfc822-loose\n"},
      {kRss20, {{"Mon, 02 Jan 2006 10:03:04 +0900", " Mon, 02 Jan 2006 10:03:04 +0900"}}, "13:1 warning rfc822-loose\n"},
      {kRss20, {{"Mon, 02 Jan 2006 10:03:04 +0900", "02 Jan 2006 10:03 EST"}}, ""},
      {kRss20, {{"Mon, 02 Jan 2006 10:03:04 +0900", "2 Jan 2006 10:03:04 GMT"}}, ""},
  });
}

TEST(CheckRules, Rss10StructureAboutSequenceAndDates) {
  RunCases({
      {kRss10, {{R"(<channel rdf:about="https://example.jp/">)", "<channel>"}}, "3:1 error rss10-about\n"},
      {kRss10, {{R"(<item rdf:about="https://example.jp/b.html">)", "<item>"}}, "19:1 error rss10-about\n"},
      {kRss10, {{R"(rdf:about="https://example.jp/">)", R"(rdf:about="/">)"}}, "3:10 error relative-url\n"},
      {kRss10,
       {{"</items>\n", "</items>\n<item rdf:about=\"https://example.jp/c.html\"><title>C</title><link>https://example.jp/c.html</link></item>\n"}},
       "13:1 error rss10-item-in-channel\n"},
      {kRss10, {{"<rdf:Seq>\n<rdf:li rdf:resource=\"https://example.jp/a.html\" />\n<rdf:li rdf:resource=\"https://example.jp/b.html\" />\n</rdf:Seq>\n", ""}},
       "7:1 error rss10-no-seq\n"},
      {kRss10, {{"</rdf:Seq>", "<rdf:li />\n</rdf:Seq>"}}, "11:1 error rss10-seq-resource\n"},
      {kRss10, {{"</rdf:Seq>", "<rdf:li rdf:resource=\"https://example.jp/c.html\" />\n</rdf:Seq>"}}, "11:1 warning rss10-seq-unknown\n"},
      {kRss10, {{"<rdf:li rdf:resource=\"https://example.jp/b.html\" />\n", ""}}, "18:1 warning rss10-seq-unlisted\n"},
      {kRss10, {{"</rdf:Seq>", "<rdf:li rdf:resource=\"https://example.jp/a.html\" />\n</rdf:Seq>"}}, "11:1 warning rss10-seq-twice\n"},
      {kRss10,
       {{"</rdf:RDF>", "<item rdf:about=\"https://example.jp/a.html\">\n<title>C</title>\n<link>https://example.jp/c.html</link>\n</item>\n</rdf:RDF>"}},
       "23:1 error rss10-duplicate-about\n"},
      {kRss10, {{"2006-01-02T10:03:04+09:00", "2006-01-02 10:03"}}, "17:1 error w3c-date\n"},
      {kRss10, {{"2006-01-02T10:03:04+09:00", "2006-01-02T10:03:04"}}, "17:1 error w3c-date\n"},
      {kRss10, {{"<link>https://example.jp/b.html</link>\n", ""}}, "19:1 error missing-element\n"},
      {kRss10, {{"<title>B</title>", "<title/>"}}, "20:1 warning empty-title\n"},
      // W3C dates may be shorter than a date-time.
      {kRss10, {{"2006-01-02T10:03:04+09:00", "2006-01"}}, ""},
  });
}

TEST(CheckRules, Atom10RequiredElementsDatesIdsLinksAndTextTypes) {
  RunCases({
      {kAtom10, {{"<id>tag:example.jp,2006:b</id>\n", ""}}, "17:1 error missing-element\n"},
      {kAtom10, {{"<updated>2006-01-02T10:03:04+09:00</updated>\n", ""}}, "2:1 error missing-element\n"},
      {kAtom10, {{"2006-01-02T10:03:04Z", "2006-01-02T10:03Z"}}, "21:1 error rfc3339-date\n"},
      {kAtom10, {{"2006-01-02T10:03:04Z", "2006-01-02t10:03:04z"}}, "21:1 error rfc3339-date\n"},
      {kAtom10, {{"<id>tag:example.jp,2006:b</id>", "<id>tag:example.jp,2006:a</id>"}}, "20:1 warning duplicate-id\n"},
      {kAtom10, {{"<link rel=\"self\" href=\"https://example.jp/atom.xml\" />\n", ""}}, "2:1 warning no-self-link\n"},
      {kAtom10, {{"<author><name>N</name></author>\n", ""}, {"<entry>\n<title>B", "<entry>\n<author><name>M</name></author>\n<title>B"}},
       "8:1 error no-author\n"},
      {kAtom10, {{"<link rel=\"alternate\" href=\"https://example.jp/b.html\" />", "<link rel=\"alternate\" />"}}, "19:1 error missing-attribute\n"},
      {kAtom10, {{"rel=\"alternate\" href=\"https://example.jp/b.html\"", "rel=\"related\" href=\"https://example.jp/b.html\""}},
       "17:1 error no-alternate\n"},
      {kAtom10, {{"<content type=\"text\">x</content>", "<content type=\"text\">&lt;p&gt;x&lt;/p&gt;</content>"}},
       "15:1 warning text-holds-markup\n"},
      {kAtom10, {{"<summary type=\"html\">&lt;p&gt;x&lt;/p&gt;</summary>", "<summary type=\"html\"><p>x</p></summary>"}},
       "14:22 error unexpected-element\n"},
      {kAtom10, {{"<content type=\"text\">x</content>", "<content type=\"xhtml\">x</content>"}}, "15:1 error unexpected-text\n15:1 error missing-element\n"},
      {kAtom10, {{"<title>B</title>", "<title></title>"}}, "18:1 warning empty-title\n"},
      // "A<B" in plain text is no markup; an xhtml div is what xhtml content holds.
      {kAtom10, {{"<content type=\"text\">x</content>", "<content type=\"text\">A&lt;B &amp; C</content>"}}, ""},
      {kAtom10,
       {{"<content type=\"text\">x</content>", "<content type=\"xhtml\"><div xmlns=\"http://www.w3.org/1999/xhtml\"><p>x</p></div></content>"}},
       ""},
  });
}

TEST(CheckRules, Atom03RequiredElementsModesAndDates) {
  RunCases({
      {kAtom03, {{"version=\"0.3\"", "version=\"0.2\""}}, "2:1 warning atom03-version\n"},
      {kAtom03, {{"mode=\"escaped\"", "mode=\"plain\""}}, "13:1 error atom03-mode\n"},
      {kAtom03, {{"<issued>2006-01-02T10:03:04</issued>\n", ""}}, "7:1 error missing-element\n"},
      {kAtom03, {{"<modified>2006-01-02T10:03:04+09:00</modified>\n<issued>", "<modified>2006-01-02T10:03:04</modified>\n<issued>"}},
       "11:1 error w3c-date\n"},
      {kAtom03, {{">&lt;p&gt;x&lt;/p&gt;</content>", "><p>x</p></content>"}}, "13:1 error html-holds-elements\n"},
      {kAtom03, {{"<title>A</title>", "<title>&lt;b&gt;A&lt;/b&gt;</title>"}}, "8:1 warning text-holds-markup\n"},
      {kAtom03, {{"rel=\"alternate\" type=\"text/html\" href=\"https://example.jp/a.html\"", "rel=\"related\" href=\"https://example.jp/a.html\""}},
       "7:1 error missing-element\n"},
      {kAtom03, {{"<author><name>N</name></author>\n", ""}}, "6:1 error no-author\n"},
  });
}

TEST(CheckRules, TextEverywhereControlCharactersAndDoubleEscapedMarkup) {
  RunCases({
      {kRss20, {{"<title>A</title>", "<title>A\xc2\x85</title>"}}, "9:1 warning control-character\n"},
      {kRss20, {{"<title>A</title>", "<title>A&#x7F;</title>"}}, "9:1 warning control-character\n"},
      {kRss20, {{"<guid isPermaLink=\"false\">", "<guid isPermaLink=\"false\" note=\"a&#x9F;\">"}},
       "17:27 warning control-character\n"},
      {kRss20, {{"&lt;p&gt;x&lt;/p&gt;", "&amp;lt;p&amp;gt;x&amp;lt;/p&amp;gt;"}}, "12:1 warning double-escaped\n"},
      {kAtom10, {{"&lt;p&gt;x&lt;/p&gt;", "&amp;lt;br /&amp;gt;x"}}, "14:1 warning double-escaped\n"},
      {kRss10, {{"<description>D</description>", "<description><![CDATA[&lt;b&gt;D&lt;/b&gt;]]></description>"}},
       "6:1 warning double-escaped\n"},
      // Escaped text that is not an HTML tag, and markup escaped once, are fine.
      {kRss20, {{"&lt;p&gt;x&lt;/p&gt;", "a &amp;lt; b, &amp;lt;T&amp;gt;"}}, ""},
  });
}

TEST(CheckRules, PositionsCountCharactersAndFollowLineEnds) {
  // Columns count characters, not bytes; CR LF and CR end lines as LF does; a byte-order mark is no
  // character.
  std::string text = Edit(kRss20, {{"<title>A</title>", "<title>日本</title><comments>/x</comments>"}});
  CFeedCheckResult result = CheckText(text);
  ASSERT_EQ(result.findings.size(), 1u) << Describe(result);
  EXPECT_EQ(result.findings[0].line, 9);
  EXPECT_EQ(result.findings[0].column, 18);
  EXPECT_EQ(result.findings[0].element, "comments");

  std::string crlf;
  for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  result = CheckText("\xEF\xBB\xBF" + crlf);
  ASSERT_EQ(result.findings.size(), 1u) << Describe(result);
  EXPECT_EQ(result.findings[0].line, 9);
  EXPECT_EQ(result.findings[0].column, 18);
  std::string cr;
  for (char c : text) cr += c == '\n' ? '\r' : c;
  result = CheckText(cr);
  ASSERT_EQ(result.findings.size(), 1u) << Describe(result);
  EXPECT_EQ(result.findings[0].line, 9);

  // A Shift_JIS feed: positions in characters of the decoded text.
  std::string sjis = Edit(J(text), {{"utf-8", "Shift_JIS"}});
  result = CheckText(sjis);
  ASSERT_EQ(result.findings.size(), 1u) << Describe(result);
  EXPECT_EQ(result.findings[0].line, 9);
  EXPECT_EQ(result.findings[0].column, 18);

  // Comments, CDATA sections, processing instructions and a document type with an internal subset
  // hold no start tag; the elements of an entity stand in its declaration, not where it is used.
  std::string busy = Edit(kRss20, {{"<rss version", "<!DOCTYPE rss [<!ENTITY e \"<b>x</b>\"><!-- <c> -->]>\n<rss version"},
                                   {"<channel>", "<channel><!-- <x> --><?pi <y>?>"},
                                   {"<title>A</title>", "<title>&e;A&e;</title>"},
                                   {"<description>D</description>", "<description><![CDATA[<z>]]></description>"},
                                   {"<link>https://example.jp/a.html</link>", "<link>a.html</link>"}});
  result = CheckText(busy);
  ASSERT_EQ(result.findings.size(), 1u) << Describe(result);
  EXPECT_EQ(result.findings[0].line, 11);
  EXPECT_EQ(result.findings[0].column, 1);
}

TEST(CheckRules, JapaneseAndEnglishMessages) {
  std::string text = Edit(kRss20, {{"<title>T</title>\n", ""}});
  CFeedCheckOptions options;
  options.useSchema = false;
  CFeedCheckResult ja = CheckFeedBytes(text, options);
  ASSERT_EQ(ja.findings.size(), 1u);
  EXPECT_EQ(ja.findings[0].message, J("title がありません"));
  EXPECT_EQ(ja.findings[0].element, "channel");
  options.language = CheckLanguage::English;
  CFeedCheckResult en = CheckFeedBytes(text, options);
  ASSERT_EQ(en.findings.size(), 1u);
  EXPECT_EQ(en.findings[0].message, "missing title");
  EXPECT_EQ(CheckText(Edit(kRss20, {{">b-1<", ">https://example.jp/a.html<"}})).findings[0].message,
            "duplicate guid \"https://example.jp/a.html\" (also on line 11)");
}

}  // namespace
