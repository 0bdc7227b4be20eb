// Page addresses: how a file below the project's local folder and its URL turn into each other.
//
// The local folder is the root of the site: relative page paths are taken from the folder of the RSS
// file (local folder + RSS file name). The project's own operations for this (LocalPathToUrl,
// UrlToLocalPath, FindItemByUrl, ImportPageFile, ItemLocalPath, IsExcludedFile, IsExcludedFolder) are
// declared with CRssFile and defined in page_mapping.cpp.
#pragma once

#include <string>

class CRssFile;

// The relative page path of a local file, with "/" separators ("news/a.html").
std::string RelativePagePath(const CRssFile& project, const std::string& path);

// The relative folder path of a local folder, without a trailing "/" ("news", "news/2005"); "" for
// the local folder itself.
std::string RelativeFolderPath(const CRssFile& project, const std::string& folder);

// `folder` and `name` joined with one local path separator (none added when `folder` ends with one).
std::string JoinLocalPath(const std::string& folder, const std::string& name);
