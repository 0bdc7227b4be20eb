#include "app/import_commands.h"

#include <filesystem>

#include "feeds/feed_reader.h"
#include "harvest/page_mapping.h"
#include "model/rss_file.h"
#include "model/rss_item.h"
#include "platform/file_system.h"
#include "platform/text_codec.h"

namespace fs = std::filesystem;

namespace {

CUserMessage Plain(std::string text) { return CUserMessage{std::move(text), MbButtons::Ok, MbIcon::None}; }

// `path` (native) relative to `folder` (native) when it lies inside it, else "".
std::string InsideRelative(const fs::path& path, const fs::path& folder) {
  fs::path relative = path.lexically_relative(folder);
  if (relative.empty() || relative == "." || *relative.begin() == "..") return std::string();
  return relative.generic_string();
}

}  // namespace

CImportResult ImportFeedFile(CRssFile& project, const std::string& path) {
  CImportResult result;
  CFeedReadResult read = ReadFeed(project, path);
  if (!read) {
    if (!read.fileError.empty()) result.messages.push_back(Plain(read.fileError));
    result.messages.push_back(Plain(Lit("RSSファイルの取り込みに失敗しました")));
    return result;
  }
  result.ok = true;
  result.messages.push_back(Plain(Lit("RSSファイルを取り込みました")));
  return result;
}

CPagePath PagePathInProject(const CRssFile& project, const std::string& page) {
  CPagePath result;
  if (project.localFolder.empty()) {
    result.error = PagePathError::kNoLocalFolder;
    return result;
  }
  std::error_code ec;
  fs::path native = fs::absolute(fs::path(NativePath(page)), ec).lexically_normal();
  if (ec || !FileExists(FromNativePath(native.string()))) {
    result.error = PagePathError::kNoSuchPage;
    return result;
  }
  fs::path folder = fs::absolute(fs::path(NativePath(project.localFolder)), ec).lexically_normal();
  std::string relative = InsideRelative(native, folder);
  if (relative.empty()) {
    // The same places reached through symbolic links.
    fs::path realPage = fs::weakly_canonical(native, ec);
    fs::path realFolder = fs::weakly_canonical(folder, ec);
    if (!ec) relative = InsideRelative(realPage, realFolder);
  }
  if (relative.empty()) {
    result.error = PagePathError::kOutsideFolder;
    return result;
  }
  std::string internal = FromNativePath(relative);
  for (char& c : internal) {
    if (c == '/') c = kPathSep;
  }
  result.path = JoinLocalPath(project.localFolder, internal);
  return result;
}

std::vector<std::string> HarvestPages(CRssFile& project, const std::vector<std::string>& paths) {
  std::vector<std::string> urls;
  for (const std::string& path : paths) urls.push_back(ImportPageFile(project, path)->url);
  return urls;
}
