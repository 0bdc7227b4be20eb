// Projects and helpers shared by the feed writer tests.
#pragma once

#include "feeds/feed_writers.h"

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "model/rss_file.h"

// The fixed clock of the writer tests: 2006-01-02 01:03:04 UTC (10:03:04 in Japan).
inline constexpr TimeValue kWriterNow = 1136163784;

enum class FeedFormat { Rss10, Rss20, Atom03, Atom10 };
const char* FormatName(FeedFormat format);  // "rss10", "rss20", "atom03", "atom10"
const char* FormatExtension(FeedFormat format);  // ".rdf" for RSS 1.0, ".xml" otherwise
extern const FeedFormat kAllFormats[4];

// Writes the project in the format through its writer; returns the writer's result and `saved`.
CFeedWriteResult WriteFeed(const CRssFile& project, FeedFormat format, const std::string& path);

// A Japanese diary site with five items, limits 4: escaping cases, a query string, an empty item, "]]>"
// and control characters; item 3 is the newest, item 4 lies beyond the limits.
void BuildSampleProject(CRssFile& project);
// The sample project with every extension on: language en-US, self links, full text, item images (on
// items 0 and 3), site image and icon, future items held back (item 3 lies after the writers' clock),
// item 1 hidden, item 4 dated in the past. The feeds carry items 0, 2 and 4.
void BuildExtendedProject(CRssFile& project);
// One item with every field, for the time-zone variants.
void BuildSmallProject(CRssFile& project);

// What python3-feedparser reads from the file (tests/support/feed_fields.py); null JSON when the helper
// could not run.
nlohmann::json ReadWithFeedparser(const std::string& path);

// The text as a reader gives it back: UTF-8, without the characters XML forbids, line breaks as LF.
std::string ReaderText(const std::string& ansi);

// What python3-jsonschema says of the JSON Feed file against our JSON Feed 1.1 schema: "" when the
// schema accepts it.
std::string JsonFeedSchemaProblems(const std::string& path);

// The golden file's path in tests/data/feeds.
std::string GoldenPath(const std::string& name);
