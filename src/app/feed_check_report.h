// The check that follows each feed-creation command of the desktop app: every file the command wrote
// is read again by the feed checker, and what it finds goes to the front end after the command's own
// messages ("フィードの検査").
#pragma once

#include <string>
#include <vector>

#include "check/feed_check.h"

// The findings of one written feed.
struct CFeedCheckEntry {
  std::string path;
  CFeedCheckResult result;
};

struct CFeedCheckReport {
  std::vector<CFeedCheckEntry> feeds;  // every feed checked, with or without findings

  int ErrorCount() const;
  int WarningCount() const;
  bool HasFindings() const { return ErrorCount() + WarningCount() > 0; }
};

// Checks the files, in Japanese, with the checker's built-in rules (a RELAX NG schema named in the
// environment is applied besides, see FindAtomSchema).
CFeedCheckReport CheckWrittenFeeds(const std::vector<std::string>& paths);

// The status line's summary: "フィードの検査: エラー 2 件、警告 1 件".
std::string FeedCheckSummary(const CFeedCheckReport& report);
