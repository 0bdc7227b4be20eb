// Values: integers and their ranges, languages, e-mail contacts, URLs, MIME types, booleans, ids,
// link relations, and the dates in every place a date stands. Valid and invalid forms side by side.
#include <gtest/gtest.h>

#include "check/check_feeds.h"
#include "check/check_test_support.h"
#include "check/check_values.h"

namespace {

TEST(CheckValues, Rss20) {
  RunCases({
      {kBaseRss20, {{"<ttl>60</ttl>", "<ttl>sixty</ttl>"}}, "9:1 error not-integer\n"},
      {kBaseRss20, {{"<ttl>60</ttl>", "<ttl>-1</ttl>"}}, "9:1 error out-of-range\n"},
      {kBaseRss20, {{"<ttl>60</ttl>", "<image><url>https://example.jp/i.png</url><title>T</title><link>https://example.jp/</link><width>144</width><height>400</height></image>"}}, ""},
      {kBaseRss20, {{"<ttl>60</ttl>", "<image><url>https://example.jp/i.png</url><title>T</title><link>https://example.jp/</link><width>145</width></image>"}},
       "9:91 error out-of-range\n"},
      {kBaseRss20, {{"<ttl>60</ttl>", "<skipHours><hour>0</hour><hour>23</hour></skipHours><skipDays><day>Monday</day><day>Sunday</day></skipDays>"}}, ""},
      {kBaseRss20, {{"<ttl>60</ttl>", "<skipHours><hour>24</hour></skipHours>"}}, "9:12 error out-of-range\n"},
      {kBaseRss20, {{"<ttl>60</ttl>", "<skipHours><hour>1</hour><hour>01</hour></skipHours>"}}, "9:26 error duplicate-value\n"},
      {kBaseRss20, {{"<ttl>60</ttl>", "<skipDays><day>monday</day></skipDays>"}}, "9:11 error enum-value\n"},
      {kBaseRss20, {{"<ttl>60</ttl>", "<skipDays><day>Monday</day><day>Monday</day></skipDays>"}}, "9:28 error duplicate-value\n"},
      {kBaseRss20, {{"length=\"1024\"", "length=\"1 KB\""}}, "15:43 error not-integer\n"},
      {kBaseRss20, {{"type=\"audio/mpeg\"", "type=\"mp3\""}}, "15:57 error media-type\n"},
      {kBaseRss20, {{"<language>ja</language>", "<language>en-us</language>"}}, ""},
      {kBaseRss20, {{"<language>ja</language>", "<language>japanese</language>"}}, "8:1 error language-tag\n"},
      {kBaseRss20, {{"<language>ja</language>", "<language>ja_JP</language>"}}, "8:1 error language-tag\n"},
      {kBaseRss20, {{"editor@example.jp (Editor)", "Editor &lt;editor@example.jp&gt;"}}, ""},
      {kBaseRss20, {{"editor@example.jp (Editor)", "Editor"}}, "10:1 error email-address\n"},
      {kBaseRss20, {{"<guid>", "<author>a@example.jp</author><guid>"}}, ""},
      {kBaseRss20, {{"<guid>", "<author>Ayumi</author><guid>"}}, "14:1 error email-address\n"},
      {kBaseRss20, {{"<guid>https://example.jp/a.html", "<guid isPermaLink=\"true\">a-1"}}, "14:1 error relative-url\n"},
      {kBaseRss20, {{"<guid>https://example.jp/a.html", "<guid isPermaLink=\"no\">a-1"}}, "14:7 error enum-value\n"},
      {kBaseRss20, {{"<link>https://example.jp/a.html</link>", "<link>https://example.jp/a b.html</link>"}}, "13:1 error url-character\n"},
      {kBaseRss20, {{"<link>https://example.jp/a.html</link>", "<link>gopher2://example.jp/a</link>"}}, "13:1 warning url-scheme\n"},
      // Dates: the strict form, the old loose one, a wrong day of the week.
      {kBaseRss20, {{"<guid>", "<pubDate>Mon, 02 Jan 2006 10:03:04 GMT</pubDate><guid>"}}, ""},
      {kBaseRss20, {{"<guid>", "<pubDate>Mon, 2 Jan 2006 10:03 +0900</pubDate><guid>"}}, ""},
      {kBaseRss20, {{"<guid>", "<pubDate>Tue, 02 Jan 2006 10:03:04 GMT</pubDate><guid>"}}, "14:1 error day-of-week\n"},
      {kBaseRss20, {{"<guid>", "<pubDate> Mon, 02 Jan 2006 10:03:04 GMT</pubDate><guid>"}}, "14:1 warning rfc822-loose\n"},
      // White space before a CDATA section or a comment is text of the element, as before an end tag.
      {kBaseRss20, {{"<guid>", "<pubDate> <![CDATA[Mon, 02 Jan 2006 10:03:04 GMT]]></pubDate><guid>"}}, "14:1 warning rfc822-loose\n"},
      {kBaseRss20, {{"<guid>", "<pubDate> <!-- c -->Mon, 02 Jan 2006 10:03:04 GMT</pubDate><guid>"}}, "14:1 warning rfc822-loose\n"},
      {kBaseRss20, {{"<guid>", "<pubDate>Mon, 02 Jan 2006 10:03:04 GMT </pubDate><guid>"}}, "14:1 warning rfc822-loose\n"},
      {kBaseRss20, {{"<guid>", "<pubDate>2006-01-02T10:03:04Z</pubDate><guid>"}}, "14:1 error rfc822-date\n"},
      {kBaseRss20, {{"<ttl>60</ttl>", "<lastBuildDate>Mon, 02 Jan 2006 10:03:04 UTC</lastBuildDate>"}}, "9:1 error rfc822-date\n"},
  });
}

TEST(CheckValues, Atom10) {
  RunCases({
      {kBaseAtom10, {{"<name>N</name>", "<name>N</name><email>n at example.jp</email>"}}, "7:23 error email-address\n"},
      {kBaseAtom10, {{"<id>tag:example.jp,2006:feed</id>", "<id>/feed</id>"}}, "5:1 error relative-url\n"},
      {kBaseAtom10, {{"<id>tag:example.jp,2006:feed</id>", "<id>tag:example.jp:feed</id>"}}, "5:1 error id-syntax\n"},
      {kBaseAtom10, {{"<id>tag:example.jp,2006:a</id>", "<id>urn:uuid:1225c695</id>"}}, "11:1 error id-syntax\n"},
      {kBaseAtom10, {{"<id>tag:example.jp,2006:a</id>", "<id>urn:uuid:1225c695-cfb8-4ebb-aaaa-80da344efa6a</id>"}}, ""},
      {kBaseAtom10, {{"<id>tag:example.jp,2006:a</id>", "<id>urn:isbn:0451450523</id>"}}, ""},
      {kBaseAtom10, {{"<id>tag:example.jp,2006:a</id>", "<id>urn:isbn:04514 50523</id>"}}, "11:1 error id-syntax\n"},
      {kBaseAtom10, {{"<title>A</title>", "<title>A</title><link rel=\"http://example.jp/rel/x\" href=\"https://example.jp/x\" />"}}, ""},
      {kBaseAtom10, {{"<title>A</title>", "<title>A</title><link rel=\"edit\" href=\"https://example.jp/x\" />"}}, ""},
      {kBaseAtom10, {{"<title>A</title>", "<title>A</title><link rel=\"x-related\" href=\"https://example.jp/x\" />"}}, "9:23 warning link-rel-unregistered\n"},
      {kBaseAtom10, {{"<title>A</title>", "<title>A</title><link rel=\"a b\" href=\"https://example.jp/x\" />"}}, "9:23 error link-rel\n"},
      {kBaseAtom10, {{"<title>A</title>", "<title>A</title><link rel=\"alternate\" href=\"https://example.jp/b.html\" />"}},
       "10:1 error duplicate-alternate\n"},
      {kBaseAtom10, {{"<title>A</title>", "<title>A</title><link rel=\"alternate\" type=\"text/html\" hreflang=\"en\" href=\"https://example.jp/en/a.html\" />"}}, ""},
      {kBaseAtom10, {{"href=\"https://example.jp/a.html\"", "href=\"https://example.jp/a.html\" length=\"big\""}}, "10:40 error not-integer\n"},
      {kBaseAtom10, {{"2006-01-02T10:03:04+09:00</updated>\n<content", " 2006-01-02T10:03:04+09:00</updated>\n<content"}}, "12:1 error rfc3339-date\n"},
      {kBaseAtom10, {{"2006-01-02T10:03:04+09:00</updated>\n<content", "2006-01-02T10:03:04</updated>\n<content"}}, "12:1 error rfc3339-date\n"},
  });
}

TEST(CheckValues, Forms) {
  for (const char* good : {"a@example.jp", "a.b+c@mail.example.co.jp", "a@example.jp (A)", "A <a@example.jp>"}) {
    EXPECT_TRUE(IsEmailContact(good)) << good;
  }
  for (const char* bad : {"", "a", "@example.jp", "a@", "a@example..jp", "a b@example.jp", "a@example.jp, b@example.jp"}) {
    EXPECT_FALSE(IsEmailContact(bad)) << bad;
  }
  for (const char* good : {"ja", "en-US", "zh-Hant-TW", "haw", "x-klingon", "i-navajo"}) EXPECT_TRUE(IsLanguageCode(good)) << good;
  for (const char* bad : {"", "jp", "english", "en_US", "en-", "x"}) EXPECT_FALSE(IsLanguageCode(bad)) << bad;
  EXPECT_TRUE(IsMimeType("text/html; charset=utf-8"));
  EXPECT_FALSE(IsMimeType("text"));
  EXPECT_FALSE(IsMimeType("text/"));
  EXPECT_EQ(CheckUrl("https://[::1]:8080/a", true), UrlFault::None);
  EXPECT_EQ(CheckUrl("https://example.jp/a?b[]=1", true), UrlFault::Character);
  EXPECT_EQ(CheckUrl("a/b.html", false), UrlFault::None);
  EXPECT_EQ(CheckUrl("https://例え.jp/", true), UrlFault::None);
  EXPECT_EQ(CheckUrl("tag:n@example.jp,2006-01-02:x#y", true), UrlFault::None);
  EXPECT_EQ(CheckUrl("tag:example.jp,06:x", true), UrlFault::Tag);
  long long n = 0;
  EXPECT_TRUE(ParseInteger(" +12 ", n));
  EXPECT_EQ(n, 12);
  EXPECT_FALSE(ParseInteger("1.5", n));
}

}  // namespace
