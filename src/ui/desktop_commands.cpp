#include "ui/desktop_commands.h"

#include "app/commands.h"
#include "app/feed_check_report.h"
#include "app/feed_commands.h"
#include "app/import_commands.h"
#include "app/launch_commands.h"
#include "app/options_model.h"
#include "app/page_link_tags.h"
#include "app/publish.h"
#include "app/shell_commands.h"
#include "app/vamel_rss_doc.h"
#include "ui/desktop_interaction.h"
#include "ui/dialogs/folder_scan_dialog.h"
#include "ui/dialogs/options_dialog.h"
#include "ui/dialogs/settings_sheet_dialog.h"
#include "ui/dialogs/version_dialog.h"
#include "ui/help_viewer.h"
#include "ui/main_frame.h"
#include "ui/vamel_rss_view.h"
#include "ui/wx_text.h"

namespace {

// After an import: the list shows the new items with the first row current, and there is something to
// save.
void ItemsImported(CMainFrame& frame) {
  frame.View()->RefreshList(0);
  frame.Doc().SetModifiedFlag();
}

// The check of the feeds a command saved, after the command's own messages; nothing when none was.
void CheckSaved(CMainFrame& frame, const std::vector<const CResult<std::string>*>& feeds) {
  const std::vector<std::string> paths = SavedFeedPaths(feeds);
  if (!paths.empty()) frame.ShowFindings(CheckWrittenFeeds(paths));
}

void CreateFeed(CMainFrame& frame, int command) {
  FeedCommand feed = FeedCommand::kRss;
  if (!FeedCommandOfId(command, feed)) return;
  const CResult<std::string> written = RunCreateFeed(frame.Doc().GetProject(), feed, frame.UI());
  CheckSaved(frame, {&written});
}

void CreateRssAndAtom(CMainFrame& frame, int) {
  const CResult<CWrittenFeeds> written = RunCreateRssAndAtom(frame.Doc().GetProject(), frame.UI());
  CheckSaved(frame, AllWrittenFeeds(written.value));
}

void ImportFileList(CMainFrame& frame, int) {
  CFolderScanDialog dialog(frame.UI().Parent(), frame.Doc().GetProject(), frame.UI());
  if (dialog.ShowModal() == wxID_OK) {
    // Rows imported before a No to the question about existing items stay imported.
    // A media file that could not be read is named.
    const CResult<int> imported = dialog.Scan().ImportSelected(frame.UI());
    frame.UI().ShowAll(imported.messages);
    ItemsImported(frame);
  } else if (dialog.Scan().ExclusionsChanged()) {
    // Exclusions made in a scan closed without importing mark the project modified too, or leaving
    // the program would lose them without a question.
    frame.Doc().SetModifiedFlag();
  }
}

void ImportFeed(CMainFrame& frame, int) {
  if (ImportFeedCommand(frame.Doc().GetProject(), frame.UI())) ItemsImported(frame);
}

void Publish(CMainFrame& frame, int) {
  CVamelRssDoc& doc = frame.Doc();
  CDesktopInteraction& ui = frame.UI();
  CRssFile& project = doc.GetProject();
  const CResult<CWrittenFeeds> written = WriteFeedsToPublish(project);
  ui.ShowAll(written.messages);
  // A project asks; a feed file shows the FTP page in its profile mode, which stores on OK.
  if (doc.GetKind() == kKindProject ? ConfirmUpload(ui) : RunFtpProfileMode(ui.Parent(), project, ui)) {
    ui.ShowAll(UploadFeeds(project, ui).messages);
  }
  // The check of the feeds written comes last, after the command's own messages, whatever the end.
  CheckSaved(frame, AllWrittenFeeds(written.value));
}

void SiteSettings(CMainFrame& frame, int) {
  if (RunSiteSettings(frame.UI().Parent(), frame.Doc().GetProject(), frame.UI())) frame.Doc().SetModifiedFlag();
}

void Options(CMainFrame& frame, int) {
  COptionValues values;
  values.Load();
  COptionsDialog dialog(frame.UI().Parent(), values, frame.UI());
  if (dialog.ShowModal() != wxID_OK) return;
  values.Store();
  frame.View()->LayoutControls();
}

void Save(CMainFrame& frame, int command) {
  if (command == ID_FILE_SAVE) frame.Doc().DoSave();
  else frame.Doc().DoSaveAs();
  frame.DocumentChanged();
}

void CopyTag(CMainFrame& frame, int command) {
  const CRssFile& project = frame.Doc().GetProject();
  frame.UI().SetClipboardText(LinkTagOfCommand(project, command));
}

void ShowFeed(CMainFrame& frame, int command) { ShowFeedFile(frame.Doc().GetProject(), command != ID_SHOW_ATOM, frame.UI()); }

void LaunchItem(CMainFrame& frame, int command) {
  const CRssFile& project = frame.Doc().GetProject();
  const int current = frame.View()->CurrentRow();
  if (command == ID_OPEN_ITEM_FILE) OpenItemFile(project, current, frame.UI());
  else if (command == ID_EDIT_ITEM_FILE) EditItemFile(project, current, frame.UI());
  else OpenItemUrl(project, current, frame.UI());
}

void About(CMainFrame& frame, int) {
  CVersionDialog dialog(&frame, frame.UI());
  dialog.ShowModal();
}

// The handler of each command number; a command has exactly one.
struct CHandler {
  int command;
  void (*run)(CMainFrame& frame, int command);
};

const CHandler kHandlers[] = {
    {ID_FILE_NEW, [](CMainFrame& f, int) { f.NewDocument(); }},
    {ID_FILE_OPEN, [](CMainFrame& f, int) { f.OnFileOpen(); }},
    {ID_FILE_SAVE, Save},
    {ID_FILE_SAVE_AS, Save},
    {ID_IMPORT_FILE_LIST, ImportFileList},
    {ID_CREATE_RSS_AND_ATOM, CreateRssAndAtom},
    {IDC_CREATE_BUTTON, CreateRssAndAtom},
    {ID_CREATE_RSS, CreateFeed},
    {ID_CREATE_ATOM, CreateFeed},
    {ID_CREATE_RSS10, CreateFeed},
    {ID_CREATE_RSS20, CreateFeed},
    {ID_CREATE_ATOM03, CreateFeed},
    {ID_CREATE_ATOM10, CreateFeed},
    {ID_CREATE_JSON, CreateFeed},
    {ID_IMPORT_RSS, ImportFeed},
    {ID_FTP_UPLOAD, Publish},
    {ID_APP_EXIT, [](CMainFrame& f, int) { f.Close(); }},
    {ID_ITEM_ADD, [](CMainFrame& f, int) { f.View()->AddItem(); }},
    {ID_ITEM_EDIT, [](CMainFrame& f, int) { f.View()->EditItem(); }},
    {ID_ITEM_DELETE, [](CMainFrame& f, int) { f.View()->DeleteItems(); }},
    {ID_ITEM_UP, [](CMainFrame& f, int) { f.View()->MoveItemUp(); }},
    {ID_ITEM_DOWN, [](CMainFrame& f, int) { f.View()->MoveItemDown(); }},
    {ID_ITEM_SORT, [](CMainFrame& f, int) { f.View()->SortItems(); }},
    {ID_ITEM_CATEGORY, [](CMainFrame& f, int) { f.View()->ChangeCategory(); }},
    {ID_COPY_RSS_TAG, CopyTag},
    {ID_COPY_RSS_TAG2, CopyTag},
    {ID_COPY_ATOM_TAG, CopyTag},
    {ID_COPY_JSON_TAG, CopyTag},
    {ID_UPDATE_PAGE_TAGS, [](CMainFrame& f, int) { RunUpdatePageLinkTags(f.Doc().GetProject(), f.UI()); }},
    {ID_SHOW_RSS, ShowFeed},
    {ID_SHOW_RSS2, ShowFeed},
    {ID_SHOW_ATOM, ShowFeed},
    {ID_OPEN_ITEM_FILE, LaunchItem},
    {ID_EDIT_ITEM_FILE, LaunchItem},
    {ID_OPEN_ITEM_URL, LaunchItem},
    {ID_SITE_SETTINGS, SiteSettings},
    {ID_OPTIONS, Options},
    {ID_FEED_CHECK, [](CMainFrame& f, int) { f.ShowFeedCheck(); }},
    {ID_VIEW_TOOLBAR, [](CMainFrame& f, int) { f.ToggleToolBar(); }},
    {ID_VIEW_STATUS_BAR, [](CMainFrame& f, int) { f.ToggleStatusBar(); }},
    {ID_TEST, [](CMainFrame&, int) {}},
    {ID_HELP_FINDER, [](CMainFrame& f, int) { ShowHelpContents(&f); }},
    {ID_HELP_INDEX, [](CMainFrame& f, int) { ShowHelpIndex(&f); }},
    {ID_HOME_PAGE, [](CMainFrame& f, int) { f.UI().OpenWithShell(kHomePageUrl); }},
    {ID_APP_ABOUT, About},
};

}  // namespace

bool RunDesktopCommand(CMainFrame& frame, int command) {
  for (const CHandler& handler : kHandlers) {
    if (handler.command == command) {
      handler.run(frame, command);
      return true;
    }
  }
  return false;
}
