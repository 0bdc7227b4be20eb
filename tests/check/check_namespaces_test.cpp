// The common namespaces, known and checked; readers' limits as warnings. Valid and invalid forms side
// by side; elements of unknown namespaces stay quietly allowed.
#include <gtest/gtest.h>

#include "check/check_test_support.h"

namespace {

const char* const kRss = R"(<?xml version="1.0" encoding="utf-8"?>
<rss version="2.0" xmlns:atom="http://www.w3.org/2005/Atom" xmlns:dc="http://purl.org/dc/elements/1.1/" xmlns:content="http://purl.org/rss/1.0/modules/content/" xmlns:sy="http://purl.org/rss/1.0/modules/syndication/" xmlns:slash="http://purl.org/rss/1.0/modules/slash/" xmlns:wfw="http://wellformedweb.org/CommentAPI/" xmlns:itunes="http://www.itunes.com/dtds/podcast-1.0.dtd" xmlns:media="http://search.yahoo.com/mrss/" xmlns:geo="http://www.w3.org/2003/01/geo/wgs84_pos#" xmlns:georss="http://www.georss.org/georss" xmlns:podcast="https://podcastindex.org/namespace/1.0">
<channel>
<title>T</title>
<link>https://example.jp/</link>
<description>D</description>
<atom:link rel="self" href="https://example.jp/rss.xml" type="application/rss+xml" />
<sy:updatePeriod>daily</sy:updatePeriod>
<itunes:explicit>no</itunes:explicit><itunes:image href="https://example.jp/c.jpg"/><itunes:category text="Arts"/><itunes:owner><itunes:email>o@example.jp</itunes:email></itunes:owner>
<item>
<title>A</title>
<link>https://example.jp/a.html</link>
<dc:date>2006-01-02T10:03:04+09:00</dc:date>
<content:encoded>&lt;p&gt;&lt;a href="https://example.jp/b.html"&gt;b&lt;/a&gt;&lt;/p&gt;</content:encoded>
</item>
</channel>
</rss>
)";

TEST(CheckNamespaces, KnownAndChecked) {
  RunCases({
      {kRss, {}, ""},
      {kRss, {{"<dc:date>", "<dc:creator>N</dc:creator><dc:date>"}}, ""},
      {kRss, {{"<dc:date>", "<dc:author>N</dc:author><dc:date>"}}, "13:1 error unknown-element\n"},
      {kRss, {{"2006-01-02T10:03:04+09:00", "2006-01-02 10:03"}}, "13:1 error w3c-date\n"},
      {kRss, {{"<dc:date>", "<dc:language>jp</dc:language><dc:date>"}}, "13:1 error language-tag\n"},
      {kRss, {{">daily<", ">fortnightly<"}}, "8:1 error enum-value\n"},
      {kRss, {{"<itunes:explicit>", "<sy:updateFrequency>0</sy:updateFrequency><itunes:explicit>"}}, "9:1 error not-positive\n"},
      {kRss, {{"<dc:date>", "<slash:comments>3</slash:comments><slash:hit_parade>1,2,3</slash:hit_parade><dc:date>"}}, ""},
      {kRss, {{"<dc:date>", "<slash:comments>many</slash:comments><dc:date>"}}, "13:1 error not-integer\n"},
      {kRss, {{"<dc:date>", "<wfw:commentRss>https://example.jp/a.rss</wfw:commentRss><dc:date>"}}, ""},
      {kRss, {{"<dc:date>", "<wfw:commentRss>a.rss</wfw:commentRss><dc:date>"}}, "13:1 error relative-url\n"},
      {kRss, {{"<dc:date>", "<wfw:comments>x</wfw:comments><dc:date>"}}, "13:1 error unknown-element\n"},
      {kRss, {{"<dc:date>", "<content:encoding>x</content:encoding><dc:date>"}}, ""},
      {kRss, {{"<dc:date>", "<content:html>x</content:html><dc:date>"}}, "13:1 error unknown-element\n"},
      {kRss, {{"<atom:link rel=\"self\" href=\"https://example.jp/rss.xml\"", "<atom:link rel=\"self\""}}, "7:1 error missing-attribute\n"},
      // iTunes.
      {kRss, {{">no</itunes:explicit>", ">maybe</itunes:explicit>"}}, "9:1 error enum-value\n"},
      {kRss, {{">no</itunes:explicit>", ">clean</itunes:explicit>"}}, ""},
      {kRss, {{"<itunes:explicit>", "<itunes:category text=\"Arts\"><itunes:category text=\"Books\"/></itunes:category><itunes:explicit>"}}, ""},
      {kRss, {{"<itunes:explicit>", "<itunes:category text=\"Cooking\"/><itunes:explicit>"}}, "9:18 error itunes-category\n"},
      {kRss, {{"<itunes:explicit>", "<itunes:category text=\"Technology\"><itunes:category text=\"Podcasting\"/></itunes:category><itunes:explicit>"}},
       "9:53 warning itunes-category-obsolete\n"},
      {kRss, {{"<itunes:explicit>", "<itunes:image href=\"https://example.jp/c.jpg\"/><itunes:owner><itunes:email>o@example.jp</itunes:email></itunes:owner><itunes:explicit>"}}, ""},
      {kRss, {{"<itunes:explicit>", "<itunes:image/><itunes:explicit>"}}, "9:1 error missing-attribute\n"},
      {kRss, {{"<itunes:explicit>", "<itunes:owner><itunes:email>owner</itunes:email></itunes:owner><itunes:explicit>"}}, "9:15 error email-address\n"},
      {kRss, {{"<dc:date>", "<itunes:duration>1:02:03</itunes:duration><itunes:episode>3</itunes:episode><dc:date>"}}, ""},
      {kRss, {{"<dc:date>", "<itunes:duration>1:2:3:4</itunes:duration><dc:date>"}}, "13:1 error enum-value\n"},
      // Media RSS.
      {kRss, {{"<dc:date>", "<media:content url=\"https://example.jp/a.mp4\" medium=\"video\" fileSize=\"10\" type=\"video/mp4\"/><dc:date>"}}, ""},
      {kRss, {{"<dc:date>", "<media:content url=\"https://example.jp/a.mp4\" medium=\"movie\"/><dc:date>"}}, "13:47 error enum-value\n"},
      {kRss, {{"<dc:date>", "<media:group><media:content url=\"https://example.jp/a.mp4\"/></media:group><dc:date>"}}, "13:1 error media-group\n"},
      {kRss, {{"<dc:date>", "<media:rating scheme=\"urn:mpaa\">pg-13</media:rating><media:hash>d41d8cd98f00b204e9800998ecf8427e</media:hash><dc:date>"}}, ""},
      {kRss, {{"<dc:date>", "<media:rating>teen</media:rating><dc:date>"}}, "13:1 error enum-value\n"},
      {kRss, {{"<dc:date>", "<media:hash algo=\"sha-1\">d41d8cd98f00b204e9800998ecf8427e</media:hash><dc:date>"}}, "13:1 error media-hash\n"},
      {kRss, {{"<dc:date>", "<media:title type=\"rich\">x</media:title><dc:date>"}}, "13:14 error enum-value\n"},
      {kRss, {{"<dc:date>", "<media:thumbnail width=\"10\"/><dc:date>"}}, "13:1 error missing-attribute\n"},
      {kRss, {{"<dc:date>", "<m:content xmlns:m=\"http://search.yahoo.com/mrss\" url=\"https://example.jp/a.mp4\"/><dc:date>"}},
       "13:1 error media-namespace\n"},
      // Positions.
      {kRss, {{"<dc:date>", "<geo:lat>35.68</geo:lat><geo:long>139.76</geo:long><georss:point>35.68 139.76</georss:point><dc:date>"}}, ""},
      {kRss, {{"<dc:date>", "<geo:lat>95</geo:lat><dc:date>"}}, "13:1 error latitude\n"},
      {kRss, {{"<dc:date>", "<georss:point>35.68 189.76</georss:point><dc:date>"}}, "13:1 error longitude\n"},
      {kRss, {{"<dc:date>", "<georss:point>35.68</georss:point><dc:date>"}}, "13:1 error latitude\n"},
      {kRss, {{"<dc:date>", "<georss:circle>35.68 139.76 500</georss:circle><dc:date>"}}, ""},
      {kRss, {{"<dc:date>", "<georss:circle>35.68 239.76 500</georss:circle><dc:date>"}}, "13:1 error longitude\n"},
      // podcast.
      {kRss, {{"<itunes:explicit>", "<podcast:locked>yes</podcast:locked><podcast:funding url=\"https://example.jp/f\">F</podcast:funding><itunes:explicit>"}}, ""},
      {kRss, {{"<dc:date>", "<podcast:transcript url=\"https://example.jp/t.vtt\"/><dc:date>"}}, "13:1 error missing-attribute\n"},
      // Unknown namespaces.
      {kRss, {{"<dc:date>", "<ex:anything xmlns:ex=\"http://example.jp/ns\" x=\"1\"><ex:more/></ex:anything><dc:date>"}}, ""},
  });
}

TEST(CheckNamespaces, ReadersLimits) {
  RunCases({
      {kRss, {{"https://example.jp/b.html", "b.html"}}, "14:1 warning relative-url-in-content\n"},
      {kRss, {{"https://example.jp/b.html", "#b"}}, ""},
      {kRss, {{"<content:encoded>", "<content:encoded xml:base=\"https://example.jp/\">"}, {"https://example.jp/b.html", "b.html"}}, ""},
      {kRss, {{"<item>", "<item><description>&lt;img src=\"/i.png\"&gt;</description>"}}, "10:7 warning relative-url-in-content\n"},
      {kRss, {{"<atom:link rel=\"self\" href=\"https://example.jp/rss.xml\" type=\"application/rss+xml\" />", ""}}, "3:1 warning no-self-link\n"},
  });
  // More than 3,000 items and more than 512 KB.
  std::string items;
  for (int i = 0; i < 3001; ++i) items += "<item><title>" + std::to_string(i) + std::string(170, ' ') + "</title></item>\n";
  CFeedCheckResult result = CheckText(Edit(kRss, {{"<item>", items + "<item>"}}));
  EXPECT_EQ(Short(result), "0:0 warning feed-too-large\n3:1 warning too-many-items\n");
}

}  // namespace
