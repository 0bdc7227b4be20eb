// Page addresses: how a file below the project's local folder and its URL turn into each other.
//
// The local folder is the root of the site: relative page paths are taken from the folder of the RSS
// file (local folder + RSS file name).
#pragma once

#include <string>

class CRssFile;
class CRssItem;

// The relative page path of a local file, with "/" separators ("news/a.html").
std::string RelativePagePath(const CRssFile& project, const std::string& path);

// The relative folder path of a local folder, without a trailing "/" ("news", "news/2005"); "" for
// the local folder itself.
std::string RelativeFolderPath(const CRssFile& project, const std::string& folder);

// `folder` and `name` joined with one local path separator (none added when `folder` ends with one).
std::string JoinLocalPath(const std::string& folder, const std::string& name);

// The exclusion tests of the folder scan: the relative path of the page file (or folder) is one of the
// project's excluded files (folders), compared exactly.
bool IsExcludedFile(const CRssFile& project, const std::string& path);
bool IsExcludedFolder(const CRssFile& project, const std::string& folder);

// The site URL (with a "/" after it) joined with the page's relative path.
std::string LocalPathToUrl(const CRssFile& project, const std::string& path);
// The local file of a URL under the site URL: the local folder joined with the rest of the URL, "/"
// becoming the local separator. "" for a URL outside the site, with a ".." segment, or without a site URL.
std::string UrlToLocalPath(const CRssFile& project, const std::string& url);
// Reads the page file into the item with its URL, which goes first in the list (a new item when none
// has the URL). Returns the item.
CRssItem* ImportPageFile(CRssFile& project, const std::string& path);
// UrlToLocalPath of item `index`'s URL; "" for an index outside the list.
std::string ItemLocalPath(const CRssFile& project, int index);
