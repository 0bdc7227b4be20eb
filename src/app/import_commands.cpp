#include "app/import_commands.h"

#include <filesystem>

#include "app/interaction.h"
#include "feeds/feed_reader.h"
#include "harvest/page_mapping.h"
#include "model/rss_file.h"
#include "model/rss_item.h"
#include "platform/file_system.h"
#include "platform/text_codec.h"

namespace fs = std::filesystem;

namespace {

// `path` (native) relative to `folder` (native) when it lies inside it, else "".
std::string InsideRelative(const fs::path& path, const fs::path& folder) {
  fs::path relative = path.lexically_relative(folder);
  if (relative.empty() || relative == "." || *relative.begin() == "..") return std::string();
  return relative.generic_string();
}

}  // namespace

CResult<> ImportFeedFile(CRssFile& project, const std::string& path) {
  CResult<> result = ReadFeed(project, path);
  return result.Say(Lit(result ? "RSSファイルを取り込みました" : "RSSファイルの取り込みに失敗しました"));
}

CResult<> ImportFeedCommand(CRssFile& project, CInteraction& ui) {
  CFileDialogRequest request;
  request.title = Lit("RSSﾌｧｲﾙ名の入力");
  request.filter = Lit("RSSﾌｧｲﾙ(*.xml;*.rdf) |*.xml;*.rdf| 全てのﾌｧｲﾙ(*.*) |*.*||");
  request.defaultExt = "xml";
  request.fileName = "*.xml;*.rdf";
  request.mustExist = true;
  const CFileDialogResult chosen = ui.ChooseFile(request);
  if (!chosen.ok) return CResult<>().Cancel();
  const CResult<> result = ImportFeedFile(project, chosen.path);
  ui.ShowAll(result.messages);
  return result;
}

std::string NoLocalFolderText() { return "the project has no local folder (set it with: set FILE --folder DIR)"; }

ProjectPlace LocateInProject(const CRssFile& project, const std::string& path, std::string& inProject) {
  if (project.localFolder.empty()) return ProjectPlace::kNoLocalFolder;
  std::error_code ec;
  fs::path native = fs::absolute(fs::path(NativePath(path)), ec).lexically_normal();
  if (ec || !FileExists(FromNativePath(native.string()))) return ProjectPlace::kMissing;
  fs::path folder = fs::absolute(fs::path(NativePath(project.localFolder)), ec).lexically_normal();
  std::string relative = InsideRelative(native, folder);
  if (relative.empty()) {
    // The same places reached through symbolic links.
    fs::path realFile = fs::weakly_canonical(native, ec);
    fs::path realFolder = fs::weakly_canonical(folder, ec);
    if (!ec) relative = InsideRelative(realFile, realFolder);
  }
  if (relative.empty()) return ProjectPlace::kOutside;
  std::string internal = FromNativePath(relative);
  for (char& c : internal) {
    if (c == '/') c = kPathSep;
  }
  inProject = JoinLocalPath(project.localFolder, internal);
  return ProjectPlace::kInside;
}

CResult<std::string> PagePathInProject(const CRssFile& project, const std::string& page) {
  using Path = CResult<std::string>;
  Path result;
  switch (LocateInProject(project, page, result.value)) {
    case ProjectPlace::kNoLocalFolder: return Path::Fail(NoLocalFolderText());
    case ProjectPlace::kMissing: return Path::Fail(page + ": no such page file");
    case ProjectPlace::kOutside: return Path::Fail(page + " is not inside the local folder " + project.localFolder);
    case ProjectPlace::kInside: break;
  }
  return result.Done();
}

std::vector<std::string> HarvestPages(CRssFile& project, const std::vector<std::string>& paths) {
  std::vector<std::string> urls;
  for (const std::string& path : paths) urls.push_back(ImportPageFile(project, path)->url);
  return urls;
}
