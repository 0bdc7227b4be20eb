// The feed writers of a project (four XML formats and JSON Feed), the choice between them by its version settings, and the Atom
// feed's id and self address.
#pragma once

#include <string>

#include "platform/result.h"

class CRssFile;

// What a writer did; the payload is the target path. A writer without a target path (the argument
// empty and the project's own feed path empty too) writes nothing and fails with no message and an
// empty path; otherwise it writes the file (done), or fails with the file error's message.
using CFeedWriteResult = CResult<std::string>;

// An empty path means the project's RSS file path (GetRssPath) or Atom file path (GetAtomPath).
CFeedWriteResult WriteRss(const CRssFile& project, const std::string& path = std::string());   // by rssVersion
CFeedWriteResult WriteAtom(const CRssFile& project, const std::string& path = std::string());  // by atomVersion
CFeedWriteResult WriteRss10(const CRssFile& project, const std::string& path = std::string());
CFeedWriteResult WriteRss20(const CRssFile& project, const std::string& path = std::string());
CFeedWriteResult WriteAtom03(const CRssFile& project, const std::string& path = std::string());
CFeedWriteResult WriteAtom10(const CRssFile& project, const std::string& path = std::string());
// JSON Feed 1.1 (UTF-8); an empty path means the project's JSON Feed path (GetJsonPath). Its items are
// those of the other feeds, at most ext.jsonCount; the text follows the RSS description/content mode.
CFeedWriteResult WriteJsonFeed(const CRssFile& project, const std::string& path = std::string());
// The JSON Feed's text, as WriteJsonFeed writes it.
std::string JsonFeedText(const CRssFile& project);
// The site URL, a "/" unless it ends with one, and the JSON Feed's file name.
std::string GetJsonFeedUrl(const CRssFile& project);

// The Atom 1.0 feed id: the one read from an imported feed, else "tag:<host>,<year>:<path>" of the
// site URL (the path without its "/" characters, the year of now in local time).
std::string GetFeedId(const CRssFile& project);
// Where a feed file is published: the site URL, a "/" unless it ends with one, and the file's name.
std::string PublishedUrl(const CRssFile& project, const std::string& fileName);
std::string GetAtomSelfUrl(const CRssFile& project);
std::string GetRssSelfUrl(const CRssFile& project);
