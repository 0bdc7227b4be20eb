// What podcast directories reject, in an RSS 2.0 feed that declares the itunes namespace: the show's
// required tags and the enclosures' length and type. A feed without that namespace keeps the plain
// RSS 2.0 rules.
#include <gtest/gtest.h>

#include "check/check_test_support.h"

namespace {

const char* const kPodcast = R"(<?xml version="1.0" encoding="utf-8"?>
<rss version="2.0" xmlns:atom="http://www.w3.org/2005/Atom" xmlns:itunes="http://www.itunes.com/dtds/podcast-1.0.dtd">
<channel>
<title>T</title>
<link>https://example.jp/</link>
<description>D</description>
<atom:link rel="self" href="https://example.jp/rss.xml" type="application/rss+xml" />
<itunes:image href="https://example.jp/c.jpg"/>
<itunes:explicit>false</itunes:explicit>
<itunes:category text="Arts"><itunes:category text="Books"/></itunes:category>
<itunes:owner><itunes:name>N</itunes:name><itunes:email>o@example.jp</itunes:email></itunes:owner>
<item>
<title>A</title>
<link>https://example.jp/a.html</link>
<enclosure url="https://example.jp/a.mp3" length="5650889" type="audio/mpeg"/>
</item>
</channel>
</rss>
)";

TEST(CheckPodcast, WhatDirectoriesReject) {
  RunCases({
      {kPodcast, {}, ""},
      // The show.
      {kPodcast, {{"<itunes:image href=\"https://example.jp/c.jpg\"/>", ""}}, "3:1 error podcast-required\n"},
      {kPodcast, {{"<itunes:explicit>false</itunes:explicit>", ""}}, "3:1 error podcast-required\n"},
      {kPodcast, {{"<itunes:category text=\"Arts\"><itunes:category text=\"Books\"/></itunes:category>", ""}},
       "3:1 error podcast-required\n"},
      {kPodcast, {{"<itunes:email>o@example.jp</itunes:email>", ""}}, "11:1 error podcast-required\n"},
      {kPodcast, {{"<itunes:owner><itunes:name>N</itunes:name><itunes:email>o@example.jp</itunes:email></itunes:owner>", ""}},
       "3:1 error podcast-required\n"},
      // A category of the tree, a subcategory of another category, an unknown one.
      {kPodcast, {{"text=\"Arts\"><itunes:category text=\"Books\"/>", "text=\"True Crime\">"}}, ""},
      {kPodcast, {{"text=\"Books\"", "text=\"Drama\""}}, "10:47 error itunes-category\n"},
      {kPodcast, {{"text=\"Arts\"><itunes:category text=\"Books\"/>", "text=\"Cooking\">"}}, "10:18 error itunes-category\n"},
      // Enclosures: the size in bytes, an audio or video type.
      {kPodcast, {{"type=\"audio/mpeg\"", "type=\"video/mp4\""}}, ""},
      {kPodcast, {{"type=\"audio/mpeg\"", "type=\"Audio/MPEG\""}}, ""},
      {kPodcast, {{"length=\"5650889\"", "length=\"0\""}}, "15:43 error podcast-enclosure-length\n"},
      {kPodcast, {{" length=\"5650889\"", ""}}, "15:1 error podcast-enclosure-length\n"},
      {kPodcast, {{" type=\"audio/mpeg\"", ""}}, "15:1 error podcast-enclosure-type\n"},
      {kPodcast, {{"type=\"audio/mpeg\"", "type=\"application/pdf\""}}, "15:60 error podcast-enclosure-type\n"},
      {kPodcast, {{"type=\"audio/mpeg\"", "type=\"mp3\""}}, "15:60 error podcast-enclosure-type\n15:60 error media-type\n"},
      {kPodcast, {{" url=\"https://example.jp/a.mp3\"", ""}}, "15:1 error missing-attribute\n"},
      // Without the itunes namespace the feed is no podcast: its enclosure needs only RSS 2.0's attributes.
      {kPodcast, {{" xmlns:itunes=\"http://www.itunes.com/dtds/podcast-1.0.dtd\"", ""},
                  {"<itunes:image href=\"https://example.jp/c.jpg\"/>", ""},
                  {"<itunes:explicit>false</itunes:explicit>", ""},
                  {"<itunes:category text=\"Arts\"><itunes:category text=\"Books\"/></itunes:category>", ""},
                  {"<itunes:owner><itunes:name>N</itunes:name><itunes:email>o@example.jp</itunes:email></itunes:owner>", ""},
                  {"length=\"5650889\"", "length=\"0\""},
                  {" type=\"audio/mpeg\"", ""}},
       "15:1 error missing-attribute\n"},
  });
}

// The message names what is missing, in both languages.
TEST(CheckPodcast, MessagesNameTheMissingTag) {
  CFeedCheckResult result = CheckText(Edit(kPodcast, {{"<itunes:email>o@example.jp</itunes:email>", ""}}));
  ASSERT_EQ(result.findings.size(), 1u);
  EXPECT_EQ(result.findings[0].message, "missing itunes:email (podcast directories reject the feed)");
}

}  // namespace
