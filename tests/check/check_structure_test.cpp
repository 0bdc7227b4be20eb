// Structure: elements where they may stand and how often, required attributes, text where only
// elements may be; RSS 2.0 (its vocabulary in no namespace) and Atom 1.0 (RFC 4287's structure,
// built in). Valid and invalid forms side by side.
#include <gtest/gtest.h>

#include "check/check_test_support.h"

namespace {

const char* const kRss = R"(<?xml version="1.0" encoding="utf-8"?>
<rss version="2.0" xmlns:atom="http://www.w3.org/2005/Atom">
<channel>
<title>T</title>
<link>https://example.jp/</link>
<description>D</description>
<atom:link rel="self" href="https://example.jp/rss.xml" type="application/rss+xml" />
<language>ja</language>
<ttl>60</ttl>
<item>
<title>A</title>
<link>https://example.jp/a.html</link>
<guid>https://example.jp/a.html</guid>
<enclosure url="https://example.jp/a.mp3" length="1024" type="audio/mpeg" />
</item>
</channel>
</rss>
)";

const char* const kAtom = R"(<?xml version="1.0" encoding="utf-8"?>
<feed xmlns="http://www.w3.org/2005/Atom">
<title>T</title>
<link rel="self" href="https://example.jp/atom.xml" />
<id>tag:example.jp,2006:feed</id>
<updated>2006-01-02T10:03:04+09:00</updated>
<author><name>N</name></author>
<entry>
<title>A</title>
<link href="https://example.jp/a.html" />
<id>tag:example.jp,2006:a</id>
<updated>2006-01-02T10:03:04+09:00</updated>
<content type="html">&lt;p&gt;x&lt;/p&gt;</content>
</entry>
</feed>
)";

TEST(CheckStructure, Rss20) {
  RunCases({
      {kRss, {}, ""},
      // Once only in a channel and an item; categories and items as often as wanted.
      {kRss, {{"<title>T</title>", "<title>T</title><title>U</title>"}}, "4:17 error duplicate-element\n"},
      {kRss, {{"<ttl>60</ttl>", "<ttl>60</ttl><ttl>5</ttl>"}}, "9:14 error duplicate-element\n"},
      {kRss, {{"<guid>", "<pubDate>Mon, 02 Jan 2006 10:03:04 GMT</pubDate><pubDate>Mon, 02 Jan 2006 10:03:04 GMT</pubDate><guid>"}},
       "13:49 error duplicate-element\n"},
      {kRss, {{"<ttl>60</ttl>", "<category>a</category><category>b</category>"}}, ""},
      // Names the vocabulary lacks, and names of one level at the other; other namespaces are free.
      {kRss, {{"<ttl>60</ttl>", "<tll>60</tll>"}}, "9:1 error unknown-element\n"},
      {kRss, {{"<ttl>60</ttl>", "<guid>x</guid>"}}, "9:1 error unknown-element\n"},
      {kRss, {{"<title>A</title>", "<title>A</title><ttl>5</ttl>"}}, "11:17 error unknown-element\n"},
      {kRss, {{"<ttl>60</ttl>", "<ex:ttl xmlns:ex=\"http://example.jp/ns\">x</ex:ttl>"}}, ""},
      {kRss, {{"</channel>", "</channel><item/>"}}, "16:11 error unknown-element\n"},
      // Text where only elements stand.
      {kRss, {{"<channel>", "<channel>stray"}}, "3:1 error unexpected-text\n"},
      {kRss, {{"<item>", "<item>stray"}}, "10:1 error unexpected-text\n"},
      // Required attributes.
      {kRss, {{"length=\"1024\" ", ""}}, "14:1 error missing-attribute\n"},
      {kRss, {{"<ttl>60</ttl>", "<cloud domain=\"rpc.example.jp\" port=\"80\" path=\"/RPC2\" registerProcedure=\"p\" protocol=\"xml-rpc\" />"}}, ""},
      {kRss, {{"<ttl>60</ttl>", "<cloud domain=\"rpc.example.jp\" port=\"80\" path=\"/RPC2\" registerProcedure=\"p\" />"}},
       "9:1 error missing-attribute\n"},
      {kRss, {{"<ttl>60</ttl>", "<category domain=\"\">a</category>"}}, "9:1 error missing-attribute\n"},
      {kRss, {{"<ttl>60</ttl>", "<category domain=\"https://example.jp/c\">a</category>"}}, ""},
      {kRss, {{"<guid>", "<source>S</source><guid>"}}, "13:1 error missing-attribute\n"},
      // image and textInput: their own children, all required ones.
      {kRss, {{"<ttl>60</ttl>", "<image><url>https://example.jp/i.png</url><title>T</title><link>https://example.jp/</link></image>"}}, ""},
      {kRss, {{"<ttl>60</ttl>", "<image><url>https://example.jp/i.png</url><title>T</title></image>"}}, "9:1 error missing-element\n"},
      {kRss, {{"<ttl>60</ttl>", "<textInput><title>S</title><description>D</description><name>q</name><link>https://example.jp/s</link></textInput>"}}, ""},
      {kRss, {{"<ttl>60</ttl>", "<textInput><title>S</title><description>D</description><name>q</name><link>https://example.jp/s</link><size>3</size></textInput>"}},
       "9:103 error unknown-element\n"},
      // The vocabulary in a namespace some feeds declare for it.
      {kRss, {{"<rss version=\"2.0\"", "<rss xmlns=\"http://backend.userland.com/rss2\" version=\"2.0\""}}, ""},
  });
}

TEST(CheckStructure, Atom10) {
  // SVG inside the XHTML: readers show it, the schema does not take it.
  CFeedCheckResult svg = CheckText(Edit(kAtom, {{"<content type=\"html\">&lt;p&gt;x&lt;/p&gt;</content>",
                                                 "<content type=\"xhtml\"><div xmlns=\"http://www.w3.org/1999/xhtml\">"
                                                 "<svg xmlns=\"http://www.w3.org/2000/svg\"><circle r=\"1\"/></svg></div></content>"}}));
  EXPECT_EQ(Short(svg), "13:65 warning foreign-in-xhtml\n");
  EXPECT_EQ(svg.schema, SchemaVerdict::Invalid);
  RunCases({
      {kAtom, {}, ""},
      {kAtom, {{"<title>T</title>", "<title>T</title><title>U</title>"}}, "3:17 error duplicate-element\n"},
      {kAtom, {{"<title>T</title>", "<title>T</title><foo/>"}}, "3:17 error unexpected-element\n"},
      {kAtom, {{"<title>A</title>", "<title>A</title><subtitle>S</subtitle>"}}, "9:17 error unexpected-element\n"},
      {kAtom, {{"<title>T</title>", "<title>T</title><ex:foo xmlns:ex=\"http://example.jp/ns\" a=\"1\">x</ex:foo>"}}, ""},
      {kAtom, {{"<feed xmlns", "<feed version=\"1.0\" xmlns"}}, "2:7 error unexpected-attribute\n"},
      {kAtom, {{"<feed xmlns", "<feed xml:lang=\"ja-JP\" ex:a=\"1\" xmlns:ex=\"http://example.jp/ns\" xmlns"}}, ""},
      {kAtom, {{"<feed xmlns", "<feed xml:lang=\"\" xmlns"}}, "2:7 error language-tag\n"},
      {kAtom, {{"<link href=\"https://example.jp/a.html\" />", "<link />"}}, "10:1 error missing-attribute\n"},
      {kAtom, {{"<link href=\"https://example.jp/a.html\" />", "<link href=\"https://example.jp/a.html\" type=\"html\" hreflang=\"ja_JP\" />"}},
       "10:40 error media-type\n10:52 error language-tag\n"},
      {kAtom, {{"<author><name>N</name></author>", "<author><email>n@example.jp</email></author>"}}, "7:1 error missing-element\n"},
      {kAtom, {{"<author><name>N</name></author>", "<author><name>N</name>text</author>"}}, "7:1 error unexpected-text\n"},
      {kAtom, {{"<content type=\"html\">&lt;p&gt;x&lt;/p&gt;</content>", "<content type=\"text/plain\" src=\"https://example.jp/a.txt\" />"}}, ""},
      {kAtom, {{"<content type=\"html\">&lt;p&gt;x&lt;/p&gt;</content>", "<content type=\"html\" src=\"https://example.jp/a.txt\" />"}},
       "13:10 error media-type\n"},
      {kAtom, {{"<content type=\"html\">&lt;p&gt;x&lt;/p&gt;</content>", "<content src=\"https://example.jp/a.txt\">x</content>"}},
       "13:1 error unexpected-text\n"},
      {kAtom, {{"<content type=\"html\">&lt;p&gt;x&lt;/p&gt;</content>", "<content type=\"image/svg+xml\"><svg xmlns=\"http://www.w3.org/2000/svg\"/></content>"}}, ""},
      {kAtom, {{"<title>A</title>", "<title type=\"markdown\">A</title>"}}, "9:8 error atom-text-type\n"},
      {kAtom,
       {{"<title>A</title>", "<title type=\"xhtml\"><div xmlns=\"http://www.w3.org/1999/xhtml\"><b>A</b><ex:x xmlns:ex=\"http://example.jp/ns\"/></div></title>"}},
       "9:71 warning foreign-in-xhtml\n"},
      {kAtom,
       {{"<content type=\"html\">&lt;p&gt;x&lt;/p&gt;</content>",
         "<content type=\"xhtml\"><div xmlns=\"http://www.w3.org/1999/xhtml\"><p>x</p></div></content>"}},
       ""},
      {kAtom, {{"<title>A</title>", "<title type=\"xhtml\"><p xmlns=\"http://www.w3.org/1999/xhtml\">A</p></title>"}},
       "9:21 error unexpected-element\n"},
      // Dates: xsd:dateTime's form, where RFC 3339's hand-written rule passes a leap second.
      {kAtom, {{"2006-01-02T10:03:04+09:00</updated>\n<author>", "2006-12-31T23:59:60Z</updated>\n<author>"}}, "6:1 error rfc3339-date\n"},
      // The schema of RFC 4287 puts entries last; readers do not mind.
      {kAtom, {{"</entry>", "</entry>\n<rights>R</rights>"}}, "15:1 warning element-after-entry\n"},
      // An entry document.
      {"<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<entry xmlns=\"http://www.w3.org/2005/Atom\"><title>A</title>"
       "<link href=\"https://example.jp/a.html\"/><id>tag:example.jp,2006:a</id><updated>2006-01-02T10:03:04Z</updated>"
       "<author><name>N</name></author></entry>\n",
       {},
       ""},
  });
}

}  // namespace
