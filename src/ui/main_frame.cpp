#include "ui/main_frame.h"

#include <wx/menu.h>
#include <wx/settings.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>
#include <wx/utils.h>

#include "app/command_ids.h"
#include "app/feed_check_report.h"
#include "app/options_model.h"
#include "app/shell_commands.h"
#include "settings/recent_files.h"
#include "ui/art.h"
#include "ui/command_table.h"
#include "ui/desktop_doc.h"
#include "ui/desktop_interaction.h"
#include "ui/dialogs/version_dialog.h"
#include "ui/feed_check_window.h"
#include "ui/help_viewer.h"
#include "ui/vamel_rss_view.h"
#include "ui/native_window.h"
#include "ui/wx_text.h"

namespace {

// One entry of a menu: its command, its text (with mnemonic and accelerator) and the prompt the status
// line shows while the pointer rests on it. A null text is a separator.
struct MenuEntry {
  int command;
  const char* text;
  const char* prompt;
};

const MenuEntry kCreateMenu[] = {
    {ID_CREATE_RSS10, "RSS1.0ファイル作成(&R)", "RSS 1.0形式でRSSファイルを作成します"},
    {ID_CREATE_RSS20, "RSS2.0ファイル作成(&P)", "RSS 2.0形式でRSSファイルを作成します"},
    {ID_CREATE_ATOM03, "Atom0.3ファイル作成(&M)", "Atom 0.3形式でAtomファイルを作成します"},
    {ID_CREATE_ATOM10, "Atom1.0ファイル作成(&A)", "Atom 1.0形式でAtomファイルを作成します"},
};

const MenuEntry kImportMenu[] = {
    {ID_IMPORT_RSS, "RSSの取り込み(&R)...", "RSSファイルやAtomファイルのアイテムを取り込みます"},
};

const MenuEntry kEditMenu[] = {
    {ID_ITEM_ADD, "アイテムを追加(&A)...", "新しいアイテムを追加します"},
    {ID_ITEM_EDIT, "アイテムを編集(&E)...", "選択したアイテムを編集します"},
    {ID_ITEM_DELETE, "アイテムを削除(&D)...", "選択したアイテムを削除します"},
    {ID_ITEM_UP, "アイテムを一つ上へ(&U)", "選択したアイテムを一つ上へ移動します"},
    {ID_ITEM_DOWN, "アイテムを一つ下へ(&W)", "選択したアイテムを一つ下へ移動します"},
    {ID_ITEM_SORT, "新しい順に整列(&S)...", "アイテムを日付の新しい順に並べ替えます"},
    {ID_ITEM_CATEGORY, "カテゴリの変更(&C)...", "選択したアイテムのカテゴリを変更します"},
    {0, nullptr, nullptr},
    {ID_COPY_RSS_TAG, "RSSタグをコピー(&1)", "ページに貼り付けるRSSのLINKタグをクリップボードにコピーします"},
    {ID_COPY_ATOM_TAG, "Atom用タグをコピー(&T)", "ページに貼り付けるAtomのLINKタグをクリップボードにコピーします"},
};

const MenuEntry kViewMenu[] = {
    {ID_SHOW_RSS, "RSSファイルを表示(&R)", "RSSファイルをビューアで表示します"},
    {ID_SHOW_ATOM, "Atomファイルを表示(&A)", "Atomファイルをビューアで表示します"},
    {0, nullptr, nullptr},
    {ID_OPEN_ITEM_FILE, "このHTMLﾌｧｲﾙを開く(&L)", "選択したアイテムのローカルファイルを開きます"},
    {ID_EDIT_ITEM_FILE, "このHTMLﾌｧｲﾙをエディタで開く(&E)", "選択したアイテムのローカルファイルをHTMLエディタで開きます"},
    {ID_OPEN_ITEM_URL, "このURLを開く(&U)", "選択したアイテムのURLをブラウザで開きます"},
    {0, nullptr, nullptr},
    {ID_SITE_SETTINGS, "サイト設定(&C)...", "サイトとフィードの設定を変更します"},
    {ID_OPTIONS, "設定(&O)...", "プログラムの設定を変更します"},
    {ID_FEED_CHECK, "フィードの検査(&K)...", "作成したフィードの検査結果を表示します"},
    {0, nullptr, nullptr},
};

const MenuEntry kHelpMenu[] = {
    {ID_HELP_FINDER, "ヘルプ目次(&C)", "ヘルプの目次を表示します"},
    {ID_HELP_INDEX, "キーワードで検索(&S)", "ヘルプをキーワードで検索します"},
    {0, nullptr, nullptr},
    {ID_HOME_PAGE, "VamelRssのホームページへ(&H)", "VamelRssのホームページをブラウザで開きます"},
    {ID_APP_ABOUT, "ﾊﾞｰｼﾞｮﾝ情報(&A)...", "プログラムのバージョンを表示します"},
};

// The toolbar, in order; 0 is a separator.
struct ToolEntry {
  int command;
  ToolIcon icon;
  const char* tooltip;
};
const ToolEntry kTools[] = {
    {ID_FILE_NEW, ToolIcon::kNew, "新規作成"},
    {ID_FILE_OPEN, ToolIcon::kOpen, "開く"},
    {ID_FILE_SAVE, ToolIcon::kSave, "上書き保存"},
    {0, ToolIcon::kNew, nullptr},
    {ID_CREATE_RSS, ToolIcon::kRss, "RSSファイル作成"},
    {ID_CREATE_ATOM, ToolIcon::kAtom, "Atomファイル作成"},
    {0, ToolIcon::kNew, nullptr},
    {ID_IMPORT_FILE_LIST, ToolIcon::kScan, "ファイル一覧からの取り込み"},
    {0, ToolIcon::kNew, nullptr},
    {ID_FTP_UPLOAD, ToolIcon::kFtp, "ftp転送"},
    {0, ToolIcon::kNew, nullptr},
    {ID_SITE_SETTINGS, ToolIcon::kSettings, "サイト設定"},
    {0, ToolIcon::kNew, nullptr},
    {ID_HELP_FINDER, ToolIcon::kHelp, "ヘルプ目次"},
};

// The prompts of the commands that the file menu and the toolbar share.
const char* PromptOf(int command) {
  switch (command) {
    case ID_FILE_NEW: return "新しいRSSプロジェクトを作成します";
    case ID_FILE_OPEN: return "プロジェクトファイルやRSS/Atomファイルを開きます";
    case ID_FILE_SAVE: return "開いているファイルを上書き保存します";
    case ID_FILE_SAVE_AS: return "ファイルに名前を付けて保存します";
    case ID_IMPORT_FILE_LIST: return "ローカルフォルダのHTMLファイルを一覧から取り込みます";
    case ID_CREATE_RSS_AND_ATOM: return "RSSファイルとAtomファイルを作成します";
    case ID_CREATE_RSS: return "RSSファイルを作成します";
    case ID_CREATE_ATOM: return "Atomファイルを作成します";
    case ID_FTP_UPLOAD: return "RSSファイルとAtomファイルを作成してftpでサーバに転送します";
    case ID_APP_EXIT: return "プログラムを終了します";
    case ID_SITE_SETTINGS: return "サイトとフィードの設定を変更します";
    case ID_HELP_FINDER: return "ヘルプの目次を表示します";
  }
  return "";
}

void AppendEntries(wxMenu* menu, const MenuEntry* entries, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    if (!entries[i].text) menu->AppendSeparator();
    else menu->Append(WxIdOfCommand(entries[i].command), Wx(entries[i].text), Wx(entries[i].prompt));
  }
}

void Append(wxMenu* menu, int command, const char* text) {
  menu->Append(WxIdOfCommand(command), Wx(text), Wx(PromptOf(command)));
}

// The status bar's pane of the feed check's summary.
constexpr int kCheckPane = 5;

// The status bar's panes: the message, then the indicators.
const char* const kIndicators[] = {"ｶﾅ", "CAP", "NUM", "SCRL"};

}  // namespace

CMainFrame::CMainFrame(CDesktopInteraction& ui)
    : wxFrame(nullptr, wxID_ANY, "VamelRss", wxDefaultPosition, wxSize(700, 500)), m_ui(ui),
      m_doc(std::make_unique<CDesktopDoc>(ui)) {
  SetIcons(AppIcons());
  BuildMenus();
  BuildToolBar();
  BuildStatusBar();
  m_view = new CVamelRssView(this, *m_doc);
  m_doc->SetViewUpdate([this] { m_view->RefreshList(0); });
  UpdateMinimumSize();
  // F1 opens the help's contents, as the help command does.
  wxAcceleratorEntry help(wxACCEL_NORMAL, WXK_F1, WxIdOfCommand(ID_HELP_FINDER));
  SetAcceleratorTable(wxAcceleratorTable(1, &help));
  DragAcceptFiles(true);
  Bind(wxEVT_MENU, &CMainFrame::OnMenu, this);
  Bind(wxEVT_TOOL, &CMainFrame::OnMenu, this);
  Bind(wxEVT_CLOSE_WINDOW, &CMainFrame::OnClose, this);
  Bind(wxEVT_DROP_FILES, &CMainFrame::OnDropFiles, this);
  Bind(wxEVT_IDLE, &CMainFrame::OnIdle, this);
  ui.SetOwner(this);
  ui.SetFeedCheckHandler([this](const CFeedCheckReport& report) { OnFeedCheck(report); });
  DocumentChanged();
}

CMainFrame::~CMainFrame() {
  SavePlacement();
  m_ui.SetOwner(nullptr);
  m_ui.SetFeedCheckHandler(nullptr);
}

void CMainFrame::BuildMenus() {
  auto* bar = new wxMenuBar;
  m_fileMenu = new wxMenu;
  Append(m_fileMenu, ID_FILE_NEW, "新規作成(&N)\tCtrl+N");
  Append(m_fileMenu, ID_FILE_OPEN, "開く(&O)...\tCtrl+O");
  Append(m_fileMenu, ID_FILE_SAVE, "上書き保存(&S)\tCtrl+S");
  Append(m_fileMenu, ID_FILE_SAVE_AS, "名前を付けて保存(&A)...");
  m_fileMenu->AppendSeparator();
  Append(m_fileMenu, ID_IMPORT_FILE_LIST, "ファイル一覧からの取り込み(&F)...");
  m_fileMenu->AppendSeparator();
  Append(m_fileMenu, ID_CREATE_RSS_AND_ATOM, "RSS&&Atom作成(&M)");
  Append(m_fileMenu, ID_CREATE_RSS, "RSSファイル作成(&R)");
  Append(m_fileMenu, ID_CREATE_ATOM, "Atomファイル作成(&M)");
  auto* create = new wxMenu;
  AppendEntries(create, kCreateMenu, std::size(kCreateMenu));
  m_fileMenu->AppendSubMenu(create, Wx("作成(&L)"));
  m_fileMenu->AppendSeparator();
  auto* import = new wxMenu;
  AppendEntries(import, kImportMenu, std::size(kImportMenu));
  m_fileMenu->AppendSubMenu(import, Wx("インポート(&I)"));
  m_fileMenu->AppendSeparator();
  Append(m_fileMenu, ID_FTP_UPLOAD, "ftp転送(&T)...");
  m_fileMenu->AppendSeparator();
  // The recent files take the place of this entry (RebuildRecentFiles).
  m_fileMenu->Append(WxIdOfCommand(ID_FILE_MRU_FIRST), Wx("最近使ったﾌｧｲﾙ"))->Enable(false);
  m_fileMenu->AppendSeparator();
  Append(m_fileMenu, ID_APP_EXIT, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)");
  bar->Append(m_fileMenu, Wx("ﾌｧｲﾙ(&F)"));

  auto* edit = new wxMenu;
  AppendEntries(edit, kEditMenu, std::size(kEditMenu));
  bar->Append(edit, Wx("編集(&E)"));

  m_viewMenu = new wxMenu;
  AppendEntries(m_viewMenu, kViewMenu, std::size(kViewMenu));
  m_viewMenu->AppendCheckItem(WxIdOfCommand(ID_VIEW_TOOLBAR), Wx("ﾂｰﾙ ﾊﾞｰ(&T)"), Wx("ツールバーの表示と非表示を切り替えます"));
  m_viewMenu->AppendCheckItem(WxIdOfCommand(ID_VIEW_STATUS_BAR), Wx("ｽﾃｰﾀｽ ﾊﾞｰ(&S)"),
                              Wx("ステータスバーの表示と非表示を切り替えます"));
  bar->Append(m_viewMenu, Wx("表示(&V)"));

  auto* help = new wxMenu;
  AppendEntries(help, kHelpMenu, std::size(kHelpMenu));
  bar->Append(help, Wx("ﾍﾙﾌﾟ(&H)"));
  SetMenuBar(bar);
}

void CMainFrame::BuildToolBar() {
  wxToolBar* tools = CreateToolBar(wxTB_HORIZONTAL | wxTB_FLAT | wxTB_TOP);
  tools->SetToolBitmapSize(FromDIP(wxSize(24, 24)));
  for (const ToolEntry& entry : kTools) {
    if (!entry.tooltip) {
      tools->AddSeparator();
      continue;
    }
    tools->AddTool(WxIdOfCommand(entry.command), Wx(entry.tooltip), ToolIconBundle(entry.icon, 24), Wx(entry.tooltip),
                   wxITEM_NORMAL);
    tools->SetToolLongHelp(WxIdOfCommand(entry.command), Wx(PromptOf(entry.command)));
  }
  tools->Realize();
}

void CMainFrame::BuildStatusBar() {
  // The panes of the message and the indicators, then the summary of the last feed check (empty while
  // the check found nothing; a click on it opens "フィードの検査").
  wxStatusBar* status = CreateStatusBar(6);
  int widths[6] = {-1, 0, 0, 0, 0, 0};
  for (int i = 0; i < 4; ++i) widths[i + 1] = status->GetTextExtent(Wx(kIndicators[i])).GetWidth() + 16;
  widths[5] = status->GetTextExtent(Wx("フィードの検査: エラー 000 件、警告 000 件")).GetWidth() + 16;
  status->SetStatusWidths(6, widths);
  status->Bind(wxEVT_LEFT_DOWN, [this, status](wxMouseEvent& event) {
    wxRect pane;
    if (status->GetFieldRect(kCheckPane, pane) && pane.Contains(event.GetPosition())) ShowFeedCheck();
    event.Skip();
  });
  SetStatusText(Wx("ﾚﾃﾞｨ"), 0);
}

void CMainFrame::UpdateIndicators() {
  wxStatusBar* status = GetStatusBar();
  if (!status) return;
  // A pane shows its name while its key is locked on; there is no kana lock to read on this desktop.
  const bool states[4] = {false, wxGetKeyState(WXK_CAPITAL), wxGetKeyState(WXK_NUMLOCK), wxGetKeyState(WXK_SCROLL)};
  for (int i = 0; i < 4; ++i) {
    const wxString text = states[i] ? Wx(kIndicators[i]) : wxString();
    if (status->GetStatusText(i + 1) != text) status->SetStatusText(text, i + 1);
  }
}

void CMainFrame::RebuildRecentFiles() {
  const int placeholderId = WxIdOfCommand(ID_FILE_MRU_FIRST);
  // Remove the entries of the previous list (the placeholder is the first of them).
  for (int i = 0; i < 8; ++i) {
    if (wxMenuItem* item = m_fileMenu->FindItem(placeholderId + i)) m_fileMenu->Destroy(item);
  }
  // They sit before the separator above "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)".
  const size_t at = m_fileMenu->GetMenuItemCount() - 2;
  const std::vector<std::string> recent = GetRecentFiles();
  m_recentCount = static_cast<int>(recent.size());
  if (recent.empty()) {
    m_fileMenu->Insert(at, placeholderId, Wx("最近使ったﾌｧｲﾙ"))->Enable(false);
    return;
  }
  for (size_t i = 0; i < recent.size(); ++i) {
    // "&1 /path/site.fpj": the number is the mnemonic, an "&" of the path is shown as it is.
    wxString path = ToWx(recent[i]);
    path.Replace("&", "&&", true);
    const wxString label = wxString::Format("&%d ", static_cast<int>(i + 1)) + path;
    m_fileMenu->Insert(at + i, placeholderId + static_cast<int>(i), label, Wx("この文書を開きます"));
  }
}

void CMainFrame::DocumentChanged() {
  SetTitle(ToWx(MainWindowCaption(m_doc->GetTitle())));
  RebuildRecentFiles();
}

bool CMainFrame::NewDocument() {
  if (!m_doc->SaveModified()) return false;
  // A cancelled wizard leaves the document, its path and its title as they were.
  if (!m_doc->OnNewDocument()) return false;
  m_view->OnInitialUpdate();
  DocumentChanged();
  return true;
}

bool CMainFrame::OpenDocument(const std::string& path) {
  if (!m_doc->SaveModified()) return false;
  if (!m_doc->OnOpenDocument(path)) {
    DocumentChanged();
    return false;
  }
  m_view->OnInitialUpdate();
  DocumentChanged();
  return true;
}

void CMainFrame::OnFileOpen() {
  CFileDialogResult chosen = m_ui.ChooseFile(OpenFileRequest());
  if (!chosen.ok) return;
  RememberOpenFilterEntry(chosen.filterIndex);
  OpenDocument(chosen.path);
}

bool CMainFrame::RunCommand(int command) {
  if (m_view->OnCommand(command)) return true;
  if (m_doc->OnCommand(command)) {
    DocumentChanged();
    return true;
  }
  switch (command) {
    case ID_FILE_NEW: NewDocument(); return true;
    case ID_FILE_OPEN: OnFileOpen(); return true;
    case ID_FILE_SAVE:
      m_doc->DoSave();
      DocumentChanged();
      return true;
    case ID_APP_EXIT: Close(); return true;
    case ID_VIEW_TOOLBAR:
      GetToolBar()->Show(!GetToolBar()->IsShown());
      Layout();
      SendSizeEvent();
      return true;
    case ID_VIEW_STATUS_BAR:
      GetStatusBar()->Show(!GetStatusBar()->IsShown());
      SendSizeEvent();
      return true;
    case ID_OPTIONS:
      if (RunOptionsCommand(m_ui)) m_view->LayoutControls();
      return true;
    case ID_HELP_FINDER: ShowHelpContents(this); return true;
    case ID_HELP_INDEX: ShowHelpIndex(this); return true;
    case ID_HOME_PAGE: m_ui.OpenWithShell(kHomePageUrl); return true;
    case ID_FEED_CHECK: ShowFeedCheck(); return true;
    case ID_APP_ABOUT: {
      CVersionDialog dialog(this, m_ui);
      dialog.ShowModal();
      return true;
    }
  }
  if (command >= ID_FILE_MRU_FIRST && command < ID_FILE_MRU_FIRST + m_recentCount) {
    const std::vector<std::string> recent = GetRecentFiles();
    const size_t index = static_cast<size_t>(command - ID_FILE_MRU_FIRST);
    if (index < recent.size()) OpenDocument(recent[index]);
    return true;
  }
  return false;
}

void CMainFrame::OnMenu(wxCommandEvent& event) {
  const int command = CommandOfWxId(event.GetId());
  if (command == 0 || !RunCommand(command)) event.Skip();
}

void CMainFrame::OnClose(wxCloseEvent& event) {
  if (event.CanVeto() && !m_doc->SaveModified()) {
    event.Veto();
    return;
  }
  SavePlacement();
  Destroy();
}

void CMainFrame::OnDropFiles(wxDropFilesEvent& event) {
  // Each file in turn, as Open would: the last one stays open.
  for (int i = 0; i < event.GetNumberOfFiles(); ++i) OpenDocument(FromWx(event.GetFiles()[i]));
}

void CMainFrame::OnFeedCheck(const CFeedCheckReport& report) {
  if (!report.HasFindings()) {
    if (GetStatusBar()) SetStatusText(wxString(), kCheckPane);
    if (m_checkWindow) m_checkWindow->Hide();
    m_hasFindings = false;
    return;
  }
  if (!m_checkWindow) m_checkWindow = new CFeedCheckWindow(this);
  m_checkWindow->SetReport(report);
  m_hasFindings = true;
  if (GetStatusBar()) SetStatusText(ToWx(FeedCheckSummary(report)), kCheckPane);
  ShowFeedCheck();
}

void CMainFrame::ShowFeedCheck() {
  if (!m_checkWindow || !m_hasFindings) return;
  m_checkWindow->Show();
  m_checkWindow->Raise();
}

void CMainFrame::UpdateMinimumSize() {
  // What the view needs, the menus, bars and frame around it, and the toolbar's every button.
  const wxSize around = GetSize() - GetClientSize();
  wxSize smallest = m_view->MinimumClientSize() + around;
  if (GetToolBar() && GetToolBar()->IsShown()) smallest.IncTo(wxSize(GetToolBar()->GetBestSize().x + around.x, 0));
  if (smallest != GetMinSize()) SetMinSize(smallest);
}

void CMainFrame::OnIdle(wxIdleEvent& event) {
  UpdateMinimumSize();
  RememberNormalRect();
  m_viewMenu->Enable(WxIdOfCommand(ID_FEED_CHECK), m_hasFindings);
  UpdateIndicators();
  m_viewMenu->Check(WxIdOfCommand(ID_VIEW_TOOLBAR), GetToolBar() && GetToolBar()->IsShown());
  m_viewMenu->Check(WxIdOfCommand(ID_VIEW_STATUS_BAR), GetStatusBar() && GetStatusBar()->IsShown());
  event.Skip();
}

void CMainFrame::RememberNormalRect() {
  // The normal rectangle is what a restart brings back, so it is taken only while the window is settled
  // in its normal state: when the events of a move or a change of state have all been handled, never
  // while it is maximised, minimised or going away.
  if (!m_placementRestored || !IsShown() || IsMaximized() || IsIconized() || IsBeingDeleted()) return;
  const wxRect r = GetRect();
  // A window being mapped or taken over by the window manager passes through sizes the toolkit makes up
  // (a few pixels, or exactly the minimum size) before the requested one arrives.
  const wxSize smallest = GetMinSize();
  if (r.width < smallest.x || r.height < smallest.y || r.GetSize() == smallest) return;
  m_placement.left = r.x;
  m_placement.top = r.y;
  m_placement.right = r.x + r.width;
  m_placement.bottom = r.y + r.height;
}

void CMainFrame::RestorePlacement() {
  if (m_placementRestored) return;
  const int border = wxSystemSettings::GetMetric(wxSYS_BORDER_X, this);
  m_placement = LoadWindowPlacement(border < 0 ? 0 : border, border < 0 ? 0 : border);
  SetSize(m_placement.left, m_placement.top, m_placement.right - m_placement.left, m_placement.bottom - m_placement.top);
  GetToolBar()->Show(m_placement.toolBar);
  GetStatusBar()->Show(m_placement.statusBar);
  // A window that was minimised comes back in its normal state.
  if (m_placement.showCmd == kShowMaximized) Maximize(true);
  m_placementRestored = true;
}

void CMainFrame::ShowRestored() {
  RestorePlacement();
  Show();
  MoveShownWindow(this, wxPoint(m_placement.left, m_placement.top));
}

void CMainFrame::SavePlacement() {
  if (!m_placementRestored || m_placementSaved) return;
  RememberNormalRect();
  m_placementSaved = true;
  m_placement.showCmd = IsMaximized() ? kShowMaximized : kShowNormal;
  m_placement.toolBar = GetToolBar() && GetToolBar()->IsShown();
  m_placement.statusBar = GetStatusBar() && GetStatusBar()->IsShown();
  SaveWindowPlacement(m_placement);
}
