// Small sound feeds that the checker's tests break one rule at a time: each case edits a copy. They
// give no finding as they stand.
#pragma once

// RSS 2.0: a channel with a self link, a language, a ttl and a managing editor; one item with a guid
// and an enclosure.
inline constexpr const char* kBaseRss20 = R"(<?xml version="1.0" encoding="utf-8"?>
<rss version="2.0" xmlns:atom="http://www.w3.org/2005/Atom">
<channel>
<title>T</title>
<link>https://example.jp/</link>
<description>D</description>
<atom:link rel="self" href="https://example.jp/rss.xml" type="application/rss+xml" />
<language>ja</language>
<ttl>60</ttl>
<managingEditor>editor@example.jp (Editor)</managingEditor>
<item>
<title>A</title>
<link>https://example.jp/a.html</link>
<guid>https://example.jp/a.html</guid>
<enclosure url="https://example.jp/a.mp3" length="1024" type="audio/mpeg" />
</item>
</channel>
</rss>
)";

// Atom 1.0: a feed with a self link and an author; one entry with an alternate link and HTML content.
inline constexpr const char* kBaseAtom10 = R"(<?xml version="1.0" encoding="utf-8"?>
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
