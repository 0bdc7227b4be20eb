// Taking items in: from a feed file, and from page files of the site named by path.
#pragma once

#include <string>
#include <vector>

#include "platform/result.h"

class CInteraction;
class CRssFile;

// "RSSの取り込み": appends the feed's items to the project, which also takes over the feed's site
// fields, its folder and its name (RSS or Atom file name); done when the project changed. The message
// is "RSSファイルを取り込みました", or, after the file's own error when it could not be read,
// "RSSファイルの取り込みに失敗しました".
CResult<> ImportFeedFile(CRssFile& project, const std::string& path);
// The command as the menu runs it: the open dialog "RSSﾌｧｲﾙ名の入力" (*.xml;*.rdf), then the import, its
// messages shown. Cancelled when the dialog was.
CResult<> ImportFeedCommand(CRssFile& project, CInteraction& ui);

// Where a file named by the user (a path as typed, absolute or relative to the working folder) lies in
// the project: inside the local folder, with `inProject` set to the same file in the form of the local
// folder (absolute or not, so that its URL comes out right); symbolic links are followed when that
// finds the file inside the folder.
enum class ProjectPlace { kInside, kNoLocalFolder, kMissing, kOutside };
ProjectPlace LocateInProject(const CRssFile& project, const std::string& path, std::string& inProject);

// Where a page file named by the user (a path as typed, absolute or relative to the working folder)
// lies in the project: the same file in the form of the local folder (absolute or not, so that its
// URL comes out right) as the payload, or a failure that says why there is none (the command line's
// words). Symbolic links are followed when that finds the page inside the folder.
CResult<std::string> PagePathInProject(const CRssFile& project, const std::string& page);

// The command line's words for a project without a local folder.
std::string NoLocalFolderText();

// Imports page files (paths inside the local folder, as PagePathInProject gives them), each going
// first; returns their URLs in order.
std::vector<std::string> HarvestPages(CRssFile& project, const std::vector<std::string>& paths);
