// Reading RSS 1.0, RSS 2.0, Atom 0.3 and Atom 1.0 files into a project.
#pragma once

#include <string>

#include "platform/result.h"

class CRssFile;

// The format codes the reader stores in the project's sourceKind (the same numbers as the document
// kinds): decided by the root element ("feed" with version "0.3", other "feed", "rss", anything else).
enum FeedFormat : int { kFeedRss10 = 1, kFeedRss20 = 2, kFeedAtom03 = 3, kFeedAtom10 = 4, kFeedJson = 5 };

// A file that begins with "{" is a JSON Feed and is read by ReadJsonFeed (json_feed_reader.h).
// Reads the feed file at `path` (XML mode) and appends one item per RSS item or Atom entry, in feed
// order, after the project's items. On success the project also takes over the site fields the feed
// has (title, URL, description; for Atom the creator, for Atom 1.0 the feed id), the file's folder as
// localFolder, the file's name as rssFileName (RSS) or atomFileName (Atom), and the format code as
// sourceKind.
//
// Text is taken from text nodes and attribute values with its character references decoded; CDATA
// sections as they stand. Fails, with the project unchanged, when the file cannot be read (with the
// file error's message), when it has no root element, when an RSS file has no channel, or when the
// feed would make the project unreasonably large (items nested inside items); only the file error has
// a message.
CResult<> ReadFeed(CRssFile& project, const std::string& path);

// A relative path with the current folder in front, so that the local folder taken from it still
// points at the file later (a bare file name would otherwise give an empty folder, i.e. the root).
std::string AbsoluteFeedPath(const std::string& path);

// Clears both file names, then sets rssFileName (codes 1 and 2) or atomFileName (codes 3 and 4) to the
// name part of `path`; any other code leaves both empty (a JSON Feed, code 5, keeps its own name).
void SetOutputFileName(CRssFile& project, int formatCode, const std::string& path);
