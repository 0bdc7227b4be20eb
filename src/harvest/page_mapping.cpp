#include "harvest/page_mapping.h"

#include <memory>

#include "harvest/page_reader.h"
#include "harvest/text_utils.h"
#include "model/rss_file.h"
#include "platform/file_system.h"

namespace {

// The name that lets the relative-path arithmetic work on a folder; no such file is ever opened.
constexpr const char* kFolderProbeName = "test.dat";

bool HasDotDotSegment(const std::string& path) {
  std::size_t start = 0;
  for (;;) {
    std::size_t slash = path.find('/', start);
    std::size_t end = slash == std::string::npos ? path.size() : slash;
    if (end - start == 2 && path.compare(start, 2, "..") == 0) return true;
    if (slash == std::string::npos) return false;
    start = slash + 1;
  }
}

}  // namespace

std::string JoinLocalPath(const std::string& folder, const std::string& name) {
  if (!folder.empty() && LastChar(folder) == kPathSepText) return folder + name;
  return folder + kPathSep + name;
}

std::string RelativePagePath(const CRssFile& project, const std::string& path) {
  return RelativePath(project.GetRssPath(), path);
}

std::string RelativeFolderPath(const CRssFile& project, const std::string& folder) {
  std::string probe = RelativePagePath(project, JoinLocalPath(folder, kFolderProbeName));
  const std::size_t strip = std::string(kFolderProbeName).size() + 1;  // the name and its "/"
  return probe.size() > strip ? probe.substr(0, probe.size() - strip) : std::string();
}

bool IsExcludedFile(const CRssFile& project, const std::string& path) {
  const std::string relative = RelativePagePath(project, path);
  for (const std::string& entry : project.excludedFiles) {
    if (entry == relative) return true;
  }
  return false;
}

bool IsExcludedFolder(const CRssFile& project, const std::string& folder) {
  const std::string relative = RelativeFolderPath(project, folder);
  for (const std::string& entry : project.excludedFolders) {
    if (entry == relative) return true;
  }
  return false;
}

std::string LocalPathToUrl(const CRssFile& project, const std::string& path) {
  std::string base = project.siteUrl;
  if (base.empty() || base.back() != '/') base += '/';
  return ResolveRelativeUrl(base, RelativePagePath(project, path));
}

std::string UrlToLocalPath(const CRssFile& project, const std::string& url) {
  const std::string& siteUrl = project.siteUrl;
  // Without a site URL no URL lies under it; a ".." segment would lead out of the local folder.
  if (url.empty() || siteUrl.empty() || url.compare(0, siteUrl.size(), siteUrl) != 0) return std::string();
  std::string rest = url.substr(siteUrl.size());
  if (!rest.empty() && rest[0] == '/') rest.erase(0, 1);
  if (HasDotDotSegment(rest)) return std::string();
  // "/" lies below 0x40 and is never the second byte of a character.
  for (char& c : rest) {
    if (c == '/') c = kPathSep;
  }
  return JoinLocalPath(project.localFolder, rest);
}

CRssItem* ImportPageFile(CRssFile& project, const std::string& path) {
  const std::string url = LocalPathToUrl(project, path);
  int index = project.FindItemByUrl(url);
  std::unique_ptr<CRssItem> item = index < 0 ? std::make_unique<CRssItem>() : project.RemoveAt(index);
  // In the list before it is read, so that nothing can lose it.
  CRssItem* raw = item.get();
  project.InsertAt(0, std::move(item));
  ReadPageIntoItem(project, url, path, *raw);
  return raw;
}

std::string ItemLocalPath(const CRssFile& project, int index) {
  if (index < 0 || index >= project.GetSize()) return std::string();
  return UrlToLocalPath(project, project.GetAt(index)->url);
}
