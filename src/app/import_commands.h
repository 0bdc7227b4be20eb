// Taking items in: from a feed file, and from page files of the site named by path.
#pragma once

#include <string>
#include <vector>

#include "platform/user_message.h"

class CRssFile;

// "RSSの取り込み": appends the feed's items to the project, which also takes over the feed's site
// fields, its folder and its name (RSS or Atom file name). The message is "RSSファイルを取り込みました",
// or, after the file's own error when it could not be read, "RSSファイルの取り込みに失敗しました".
struct CImportResult {
  bool ok = false;  // the project changed
  std::vector<CUserMessage> messages;
};
CImportResult ImportFeedFile(CRssFile& project, const std::string& path);

// Where a page file named by the user (a path as typed, absolute or relative to the working folder)
// lies in the project: the same file in the form of the local folder (absolute or not, so that its
// URL comes out right), or why there is none. Symbolic links are followed when that finds the page
// inside the folder.
enum class PagePathError { kNone, kNoLocalFolder, kNoSuchPage, kOutsideFolder };
struct CPagePath {
  std::string path;
  PagePathError error = PagePathError::kNone;
};
CPagePath PagePathInProject(const CRssFile& project, const std::string& page);

// Imports page files (paths inside the local folder, as PagePathInProject gives them), each going
// first; returns their URLs in order.
std::vector<std::string> HarvestPages(CRssFile& project, const std::vector<std::string>& paths);
