// harvest, scan and refresh: the site's local pages as items.
#include <memory>
#include <vector>

#include "app/folder_scan.h"
#include "app/import_commands.h"
#include "app/item_refresh.h"
#include "app/vamel_rss_doc.h"
#include "cli/cli_commands.h"
#include "cli/cli_document.h"
#include "cli/cli_interaction.h"
#include "cli/cli_output.h"
#include "model/rss_file.h"

namespace {

// The page's path in the project, or the reason there is none.
std::string PagePathOrFail(const CRssFile& project, const std::string& pageArg) {
  const CResult<std::string> page = PagePathInProject(project, ArgText(pageArg));
  if (!page) throw CCliFailure(page.FirstText());
  return page.value;
}

void RegisterHarvest(CLI::App& app, CCliInteraction& ui) {
  auto* cmd = app.add_subcommand("harvest", "import local pages of the site as items, each going first");
  auto file = std::make_shared<std::string>();
  auto pages = std::make_shared<std::vector<std::string>>();
  cmd->add_option("FILE", *file, "project or feed file")->required();
  cmd->add_option("PAGE", *pages, "page files below the project's local folder")->required();
  SetAction(cmd, [=, &ui] {
    CVamelRssDoc doc(ui);
    OpenDocumentOrFail(doc, *file);
    CRssFile& project = doc.GetProject();
    std::vector<std::string> paths;
    for (const std::string& page : *pages) paths.push_back(PagePathOrFail(project, page));
    for (const std::string& url : HarvestPages(project, paths)) PrintOut(url);
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
  std::vector<std::string> paths;
  for (const std::string& name : names) {
    if (name == "new" || name == "all") throw CCliUsage("--import takes new, all, or relative page paths, not a mix");
    paths.push_back(ArgText(name));
  }
  std::string missing;
  if (!scan.SelectByRelativePath(paths, missing)) {
    throw CCliFailure(missing + ": not among the pages of the scan (missing, excluded or not a page)");
  }
}

void RegisterScan(CLI::App& app, CCliInteraction& ui) {
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
  SetAction(cmd, [=, &ui] {
    CVamelRssDoc doc(ui);
    OpenDocumentOrFail(doc, o->file);
    CRssFile& project = doc.GetProject();
    if (project.localFolder.empty()) throw CCliFailure(NoLocalFolderText());
    bool changed = false;
    for (const std::string& entry : o->excludeFiles) changed |= AddExcludedFile(project, ArgText(entry));
    for (const std::string& entry : o->excludeFolders) changed |= AddExcludedFolder(project, ArgText(entry));

    CFolderScan scan(project);
    scan.Open();
    const bool nothingElse = o->import.empty() && o->excludeFiles.empty() && o->excludeFolders.empty();
    if (o->list || nothingElse) PrintRows(scan);
    if (!o->import.empty()) {
      SelectForImport(scan, o->import);
      const CResult<int> result = scan.ImportSelected(ui);
      for (const CUserMessage& message : result.messages) PrintErr(message.text);
      for (int i = 0; i < result.value; ++i) PrintOut(project.GetAt(i)->url);
      if (result.Cancelled()) PrintErr("the import stopped at the first page that has an item already");
      changed |= result.value > 0;
    }
    if (changed) {
      doc.SetModifiedFlag();
      SaveDocumentOrFail(doc);
    }
  });
}

void RegisterRefresh(CLI::App& app, CCliInteraction& ui) {
  auto* cmd = app.add_subcommand("refresh", "refresh the item with URL from its local page");
  auto file = std::make_shared<std::string>();
  auto url = std::make_shared<std::string>();
  auto download = std::make_shared<bool>(false);
  auto timeout = std::make_shared<int>(0);
  cmd->add_option("FILE", *file, "project or feed file")->required();
  cmd->add_option("URL", *url, "the item's URL")->required();
  cmd->add_flag("--download", *download, "without a local page, download the page from the web");
  cmd->add_option("--timeout", *timeout, "seconds the download may take in all (default: the option System/DownloadTimeout, 120)")
      ->check(CLI::Range(1, 86400));
  SetAction(cmd, [=, &ui] {
    CVamelRssDoc doc(ui);
    OpenDocumentOrFail(doc, *file);
    CRssFile& project = doc.GetProject();
    const int index = project.FindItemByUrl(ArgText(*url));
    if (index < 0) throw CCliFailure(ArgText(*url) + ": no item has this URL");
    CRssItem& item = *project.GetAt(index);
    CItemEditorValues editor;
    editor.item = &item;
    editor.LoadFrom(item);
    ui.SetDownloadAnswer(*download);
    switch (RefreshItem(project, editor, ui, *timeout)) {
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

void RegisterHarvestCommands(CLI::App& app, CCliInteraction& ui) {
  RegisterHarvest(app, ui);
  RegisterScan(app, ui);
  RegisterRefresh(app, ui);
}
