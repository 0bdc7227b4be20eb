// harvest, scan and refresh: the site's local pages as items.
#include <algorithm>
#include <filesystem>
#include <memory>
#include <vector>

#include "app/vamel_rss_doc.h"
#include "cli/cli_commands.h"
#include "cli/cli_document.h"
#include "cli/cli_output.h"
#include "harvest/folder_scan.h"
#include "harvest/item_refresh.h"
#include "harvest/page_mapping.h"
#include "model/rss_file.h"
#include "platform/file_system.h"
#include "platform/interaction.h"
#include "platform/text_codec.h"

namespace fs = std::filesystem;

namespace {

// `path` (native) relative to `folder` (native) when it lies inside it, else "".
std::string InsideRelative(const fs::path& path, const fs::path& folder) {
  fs::path relative = path.lexically_relative(folder);
  if (relative.empty() || relative == "." || *relative.begin() == "..") return std::string();
  return relative.generic_string();
}

// The local path of a page given on the command line, in the form of the project's local folder
// (absolute or not), so that its URL comes out right. Raises CCliFailure when the page does not exist
// or lies outside the local folder.
std::string PagePathInProject(const CRssFile& project, const std::string& pageArg) {
  std::error_code ec;
  if (project.localFolder.empty()) throw CCliFailure("the project has no local folder (set it with: set FILE --folder DIR)");
  fs::path page = fs::absolute(fs::path(pageArg), ec).lexically_normal();
  if (ec || !FileExists(FromNativePath(page.string()))) throw CCliFailure(ArgText(pageArg) + ": no such page file");
  fs::path folder = fs::absolute(fs::path(NativePath(project.localFolder)), ec).lexically_normal();
  std::string relative = InsideRelative(page, folder);
  if (relative.empty()) {
    // The same places reached through symbolic links.
    fs::path realPage = fs::weakly_canonical(page, ec);
    fs::path realFolder = fs::weakly_canonical(folder, ec);
    if (!ec) relative = InsideRelative(realPage, realFolder);
  }
  if (relative.empty()) {
    throw CCliFailure(ArgText(pageArg) + " is not inside the local folder " + project.localFolder);
  }
  std::string internal = FromNativePath(relative);
  for (char& c : internal) {
    if (c == '/') c = kPathSep;
  }
  return JoinLocalPath(project.localFolder, internal);
}

void RegisterHarvest(CLI::App& app) {
  auto* cmd = app.add_subcommand("harvest", "import local pages of the site as items, each going first");
  auto file = std::make_shared<std::string>();
  auto pages = std::make_shared<std::vector<std::string>>();
  cmd->add_option("FILE", *file, "project or feed file")->required();
  cmd->add_option("PAGE", *pages, "page files below the project's local folder")->required();
  SetAction(cmd, [=] {
    CVamelRssDoc doc;
    OpenDocumentOrFail(doc, *file);
    CRssFile& project = doc.GetProject();
    std::vector<std::string> paths;
    for (const std::string& page : *pages) paths.push_back(PagePathInProject(project, page));
    for (const std::string& path : paths) PrintOut(project.ImportPageFile(path)->url);
    doc.SetModifiedFlag();
    SaveDocumentOrFail(doc);
  });
}

struct ScanOptions {
  std::string file;
  bool list = false;
  std::vector<std::string> import;
  std::vector<std::string> excludeFiles;
  std::vector<std::string> excludeFolders;
};

// Appends `entry` unless the list holds it already; true when appended.
bool AppendNew(std::vector<std::string>& list, const std::string& entry) {
  if (std::find(list.begin(), list.end(), entry) != list.end()) return false;
  list.push_back(entry);
  return true;
}

void PrintRows(const CFolderScan& scan) {
  for (const CScanRow& row : scan.GetRows()) PrintOut(std::string(row.selected ? "*" : " ") + "\t" + row.dateText + "\t" + row.relativePath);
}

// Selects the rows that --import names: "new" (the preselection), "all", or relative page paths.
void SelectForImport(CFolderScan& scan, const std::vector<std::string>& names) {
  if (names.size() == 1 && names[0] == "new") return;
  if (names.size() == 1 && names[0] == "all") {
    scan.SelectAll();
    return;
  }
  scan.ClearSelection();
  for (const std::string& name : names) {
    if (name == "new" || name == "all") throw CCliUsage("--import takes new, all, or relative page paths, not a mix");
    std::string relative = ArgText(name);
    int found = -1;
    for (int i = 0; i < scan.GetCount(); ++i) {
      if (scan.GetRows()[static_cast<size_t>(i)].relativePath == relative) found = i;
    }
    if (found < 0) throw CCliFailure(relative + ": not among the pages of the scan (missing, excluded or not a page)");
    scan.Select(found);
  }
}

void RegisterScan(CLI::App& app) {
  auto* cmd = app.add_subcommand("scan", "list the pages below the local folder and import them");
  auto o = std::make_shared<ScanOptions>();
  cmd->add_option("FILE", o->file, "project or feed file")->required();
  cmd->add_flag("--list", o->list, "print the pages, newest first: preselected (*), date, relative path");
  cmd->add_option("--import", o->import, "import the preselected pages (new), every page (all), or the named ones")
      ->expected(1, -1);
  cmd->add_option("--exclude-file", o->excludeFiles, "leave this page out of every later scan (relative path)")
      ->allow_extra_args(false);
  cmd->add_option("--exclude-folder", o->excludeFolders, "leave this folder out of every later scan (relative path)")
      ->allow_extra_args(false);
  SetAction(cmd, [=] {
    CVamelRssDoc doc;
    OpenDocumentOrFail(doc, o->file);
    CRssFile& project = doc.GetProject();
    if (project.localFolder.empty()) throw CCliFailure("the project has no local folder (set it with: set FILE --folder DIR)");
    bool changed = false;
    for (const std::string& entry : o->excludeFiles) changed |= AppendNew(project.excludedFiles, ArgText(entry));
    for (std::string entry : o->excludeFolders) {
      while (entry.size() > 1 && entry.back() == '/') entry.pop_back();
      changed |= AppendNew(project.excludedFolders, ArgText(entry));
    }

    CFolderScan scan(project);
    scan.Open();
    const bool nothingElse = o->import.empty() && o->excludeFiles.empty() && o->excludeFolders.empty();
    if (o->list || nothingElse) PrintRows(scan);
    if (!o->import.empty()) {
      SelectForImport(scan, o->import);
      CFolderScan::ImportResult result = scan.ImportSelected();
      for (int i = 0; i < result.imported; ++i) PrintOut(project.GetAt(i)->url);
      if (result.stopped) PrintErr("the import stopped at the first page that has an item already");
      changed |= result.imported > 0;
    }
    if (changed) {
      doc.SetModifiedFlag();
      SaveDocumentOrFail(doc);
    }
  });
}

// Answers the refresh's download question from --download and passes everything else on.
class CDownloadAnswer : public CInteraction {
public:
  CDownloadAnswer(CInteraction& inner, bool download) : m_inner(inner), m_download(download) {}

  MbAnswer MessageBox(const std::string& text, MbButtons buttons, MbIcon icon) override {
    if (buttons != MbButtons::YesNo || text != RefreshDownloadQuestionText()) return m_inner.MessageBox(text, buttons, icon);
    PrintErr(text + (m_download ? " -> yes (--download)" : " -> no (no --download)"));
    return m_download ? MbAnswer::Yes : MbAnswer::No;
  }
  CProgressSink* CreateProgress(const std::string& title, bool cancellable) override {
    return m_inner.CreateProgress(title, cancellable);
  }
  int PumpOneMessage() override { return m_inner.PumpOneMessage(); }

private:
  CInteraction& m_inner;
  bool m_download;
};

// Puts back the interaction in use when it ends.
class CInteractionScope {
public:
  explicit CInteractionScope(CInteraction& replacement) : m_previous(Interaction()) { SetInteraction(&replacement); }
  ~CInteractionScope() { SetInteraction(&m_previous); }
  CInteractionScope(const CInteractionScope&) = delete;
  CInteractionScope& operator=(const CInteractionScope&) = delete;

private:
  CInteraction& m_previous;
};

void RegisterRefresh(CLI::App& app) {
  auto* cmd = app.add_subcommand("refresh", "refresh the item with URL from its local page");
  auto file = std::make_shared<std::string>();
  auto url = std::make_shared<std::string>();
  auto download = std::make_shared<bool>(false);
  cmd->add_option("FILE", *file, "project or feed file")->required();
  cmd->add_option("URL", *url, "the item's URL")->required();
  cmd->add_flag("--download", *download, "without a local page, download the page from the web");
  SetAction(cmd, [=] {
    CVamelRssDoc doc;
    OpenDocumentOrFail(doc, *file);
    CRssFile& project = doc.GetProject();
    const int index = project.FindItemByUrl(ArgText(*url));
    if (index < 0) throw CCliFailure(ArgText(*url) + ": no item has this URL");
    CRssItem& item = *project.GetAt(index);
    CItemEditorValues editor;
    editor.item = &item;
    editor.LoadFrom(item);
    RefreshOutcome outcome;
    {
      CDownloadAnswer answer(Interaction(), *download);
      CInteractionScope scope(answer);
      outcome = RefreshItem(project, editor);
    }
    switch (outcome) {
      case RefreshOutcome::kRefreshed:
        editor.StoreInto(item);
        doc.SetModifiedFlag();
        SaveDocumentOrFail(doc);
        PrintOut(item.url);
        break;
      case RefreshOutcome::kDeclined: break;
      case RefreshOutcome::kNoLocalPage:
        throw CCliFailure("no local page for " + item.url + " (--download fetches it from the web)");
      case RefreshOutcome::kNoUrl:
      case RefreshOutcome::kDownloadFailed: throw CCliFailure(std::string());
    }
  });
}

}  // namespace

void RegisterHarvestCommands(CLI::App& app) {
  RegisterHarvest(app);
  RegisterScan(app);
  RegisterRefresh(app);
}
