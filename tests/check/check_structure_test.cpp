// Structure: elements where they may stand and how often, required attributes, text where only
// elements may be; RSS 2.0 (its vocabulary in no namespace) and Atom 1.0 (RFC 4287's structure,
// built in). Valid and invalid forms side by side.
#include <gtest/gtest.h>

#include "check/check_feeds.h"
#include "check/check_test_support.h"

namespace {

TEST(CheckStructure, Rss20) {
  RunCases({
      {kBaseRss20, {}, ""},
      // Once only in a channel and an item; categories and items as often as wanted.
      {kBaseRss20, {{"<title>T</title>", "<title>T</title><title>U</title>"}}, "4:17 error duplicate-element\n"},
      {kBaseRss20, {{"<ttl>60</ttl>", "<ttl>60</ttl><ttl>5</ttl>"}}, "9:14 error duplicate-element\n"},
      {kBaseRss20, {{"<guid>", "<pubDate>Mon, 02 Jan 2006 10:03:04 GMT</pubDate><pubDate>Mon, 02 Jan 2006 10:03:04 GMT</pubDate><guid>"}},
       "14:49 error duplicate-element\n"},
      {kBaseRss20, {{"<ttl>60</ttl>", "<category>a</category><category>b</category>"}}, ""},
      // Names the vocabulary lacks, and names of one level at the other; other namespaces are free.
      {kBaseRss20, {{"<ttl>60</ttl>", "<tll>60</tll>"}}, "9:1 error unknown-element\n"},
      {kBaseRss20, {{"<ttl>60</ttl>", "<guid>x</guid>"}}, "9:1 error unknown-element\n"},
      {kBaseRss20, {{"<title>A</title>", "<title>A</title><ttl>5</ttl>"}}, "12:17 error unknown-element\n"},
      {kBaseRss20, {{"<ttl>60</ttl>", "<ex:ttl xmlns:ex=\"http://example.jp/ns\">x</ex:ttl>"}}, ""},
      {kBaseRss20, {{"</channel>", "</channel><item/>"}}, "17:11 error unknown-element\n"},
      // Text where only elements stand.
      {kBaseRss20, {{"<channel>", "<channel>stray"}}, "3:1 error unexpected-text\n"},
      {kBaseRss20, {{"<item>", "<item>stray"}}, "11:1 error unexpected-text\n"},
      // Required attributes.
      {kBaseRss20, {{"length=\"1024\" ", ""}}, "15:1 error missing-attribute\n"},
      {kBaseRss20, {{"<ttl>60</ttl>", "<cloud domain=\"rpc.example.jp\" port=\"80\" path=\"/RPC2\" registerProcedure=\"p\" protocol=\"xml-rpc\" />"}}, ""},
      {kBaseRss20, {{"<ttl>60</ttl>", "<cloud domain=\"rpc.example.jp\" port=\"80\" path=\"/RPC2\" registerProcedure=\"p\" />"}},
       "9:1 error missing-attribute\n"},
      {kBaseRss20, {{"<ttl>60</ttl>", "<category domain=\"\">a</category>"}}, "9:1 error missing-attribute\n"},
      {kBaseRss20, {{"<ttl>60</ttl>", "<category domain=\"https://example.jp/c\">a</category>"}}, ""},
      {kBaseRss20, {{"<guid>", "<source>S</source><guid>"}}, "14:1 error missing-attribute\n"},
      // image and textInput: their own children, all required ones.
      {kBaseRss20, {{"<ttl>60</ttl>", "<image><url>https://example.jp/i.png</url><title>T</title><link>https://example.jp/</link></image>"}}, ""},
      {kBaseRss20, {{"<ttl>60</ttl>", "<image><url>https://example.jp/i.png</url><title>T</title></image>"}}, "9:1 error missing-element\n"},
      {kBaseRss20, {{"<ttl>60</ttl>", "<textInput><title>S</title><description>D</description><name>q</name><link>https://example.jp/s</link></textInput>"}}, ""},
      {kBaseRss20, {{"<ttl>60</ttl>", "<textInput><title>S</title><description>D</description><name>q</name><link>https://example.jp/s</link><size>3</size></textInput>"}},
       "9:103 error unknown-element\n"},
      // The vocabulary in a namespace some feeds declare for it.
      {kBaseRss20, {{"<rss version=\"2.0\"", "<rss xmlns=\"http://backend.userland.com/rss2\" version=\"2.0\""}}, ""},
  });
}

TEST(CheckStructure, Atom10) {
  // SVG inside the XHTML: readers show it, the schema does not take it.
  CFeedCheckResult svg = CheckText(Edit(kBaseAtom10, {{"<content type=\"html\">&lt;p&gt;x&lt;/p&gt;</content>",
                                                 "<content type=\"xhtml\"><div xmlns=\"http://www.w3.org/1999/xhtml\">"
                                                 "<svg xmlns=\"http://www.w3.org/2000/svg\"><circle r=\"1\"/></svg></div></content>"}}));
  EXPECT_EQ(Short(svg), "13:65 warning foreign-in-xhtml\n");
  EXPECT_EQ(svg.schema, SchemaVerdict::Invalid);
  RunCases({
      {kBaseAtom10, {}, ""},
      {kBaseAtom10, {{"<title>T</title>", "<title>T</title><title>U</title>"}}, "3:17 error duplicate-element\n"},
      {kBaseAtom10, {{"<title>T</title>", "<title>T</title><foo/>"}}, "3:17 error unexpected-element\n"},
      {kBaseAtom10, {{"<title>A</title>", "<title>A</title><subtitle>S</subtitle>"}}, "9:17 error unexpected-element\n"},
      {kBaseAtom10, {{"<title>T</title>", "<title>T</title><ex:foo xmlns:ex=\"http://example.jp/ns\" a=\"1\">x</ex:foo>"}}, ""},
      {kBaseAtom10, {{"<feed xmlns", "<feed version=\"1.0\" xmlns"}}, "2:7 error unexpected-attribute\n"},
      {kBaseAtom10, {{"<feed xmlns", "<feed xml:lang=\"ja-JP\" ex:a=\"1\" xmlns:ex=\"http://example.jp/ns\" xmlns"}}, ""},
      {kBaseAtom10, {{"<feed xmlns", "<feed xml:lang=\"\" xmlns"}}, "2:7 error language-tag\n"},
      {kBaseAtom10, {{"<link href=\"https://example.jp/a.html\" />", "<link />"}}, "10:1 error missing-attribute\n"},
      {kBaseAtom10, {{"<link href=\"https://example.jp/a.html\" />", "<link href=\"https://example.jp/a.html\" type=\"html\" hreflang=\"ja_JP\" />"}},
       "10:40 error media-type\n10:52 error language-tag\n"},
      {kBaseAtom10, {{"<author><name>N</name></author>", "<author><email>n@example.jp</email></author>"}}, "7:1 error missing-element\n"},
      {kBaseAtom10, {{"<author><name>N</name></author>", "<author><name>N</name>text</author>"}}, "7:1 error unexpected-text\n"},
      {kBaseAtom10, {{"<content type=\"html\">&lt;p&gt;x&lt;/p&gt;</content>", "<content type=\"text/plain\" src=\"https://example.jp/a.txt\" />"}}, ""},
      {kBaseAtom10, {{"<content type=\"html\">&lt;p&gt;x&lt;/p&gt;</content>", "<content type=\"html\" src=\"https://example.jp/a.txt\" />"}},
       "13:10 error media-type\n"},
      {kBaseAtom10, {{"<content type=\"html\">&lt;p&gt;x&lt;/p&gt;</content>", "<content src=\"https://example.jp/a.txt\">x</content>"}},
       "13:1 error unexpected-text\n"},
      {kBaseAtom10, {{"<content type=\"html\">&lt;p&gt;x&lt;/p&gt;</content>", "<content type=\"image/svg+xml\"><svg xmlns=\"http://www.w3.org/2000/svg\"/></content>"}}, ""},
      {kBaseAtom10, {{"<title>A</title>", "<title type=\"markdown\">A</title>"}}, "9:8 error atom-text-type\n"},
      {kBaseAtom10,
       {{"<title>A</title>", "<title type=\"xhtml\"><div xmlns=\"http://www.w3.org/1999/xhtml\"><b>A</b><ex:x xmlns:ex=\"http://example.jp/ns\"/></div></title>"}},
       "9:71 warning foreign-in-xhtml\n"},
      {kBaseAtom10,
       {{"<content type=\"html\">&lt;p&gt;x&lt;/p&gt;</content>",
         "<content type=\"xhtml\"><div xmlns=\"http://www.w3.org/1999/xhtml\"><p>x</p></div></content>"}},
       ""},
      {kBaseAtom10, {{"<title>A</title>", "<title type=\"xhtml\"><p xmlns=\"http://www.w3.org/1999/xhtml\">A</p></title>"}},
       "9:21 error unexpected-element\n"},
      // Dates: xsd:dateTime's form, where RFC 3339's hand-written rule passes a leap second.
      {kBaseAtom10, {{"2006-01-02T10:03:04+09:00</updated>\n<author>", "2006-12-31T23:59:60Z</updated>\n<author>"}}, "6:1 error rfc3339-date\n"},
      // The schema of RFC 4287 puts entries last; readers do not mind.
      {kBaseAtom10, {{"</entry>", "</entry>\n<rights>R</rights>"}}, "15:1 warning element-after-entry\n"},
      // An entry document.
      {"<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<entry xmlns=\"http://www.w3.org/2005/Atom\"><title>A</title>"
       "<link href=\"https://example.jp/a.html\"/><id>tag:example.jp,2006:a</id><updated>2006-01-02T10:03:04Z</updated>"
       "<author><name>N</name></author></entry>\n",
       {},
       ""},
  });
}

}  // namespace
