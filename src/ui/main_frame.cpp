#include "ui/main_frame.h"

#include <wx/menu.h>
#include <wx/settings.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>
#include <wx/utils.h>

#include "app/feed_check_report.h"
#include "app/options_model.h"
#include "app/shell_commands.h"
#include "app/vamel_rss_doc.h"
#include "settings/recent_files.h"
#include "ui/art.h"
#include "ui/command_wx_ids.h"
#include "ui/desktop_commands.h"
#include "ui/desktop_interaction.h"
#include "ui/dialogs/new_project_wizard.h"
#include "ui/feed_check_window.h"
#include "ui/vamel_rss_view.h"
#include "ui/native_window.h"
#include "ui/wx_text.h"

namespace {

// The menus' layout over the command table: a command's number, 0 for a separator. The texts and the
// prompts are the table's.
const int kCreateMenu[] = {ID_CREATE_RSS10, ID_CREATE_RSS20, ID_CREATE_ATOM03, ID_CREATE_ATOM10, 0, ID_CREATE_JSON};
const int kImportMenu[] = {ID_IMPORT_RSS};
const int kFileMenuTop[] = {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_SAVE_AS, 0, ID_IMPORT_FILE_LIST, 0,
                            ID_CREATE_RSS_AND_ATOM, ID_CREATE_RSS, ID_CREATE_ATOM};
const int kEditMenu[] = {ID_ITEM_ADD, ID_ITEM_EDIT, ID_ITEM_DELETE, ID_ITEM_UP, ID_ITEM_DOWN, ID_ITEM_SORT, ID_ITEM_CATEGORY,
                         0,           ID_COPY_RSS_TAG, ID_COPY_ATOM_TAG, ID_COPY_JSON_TAG, ID_UPDATE_PAGE_TAGS};
const int kViewMenu[] = {ID_SHOW_RSS, ID_SHOW_ATOM, 0, ID_OPEN_ITEM_FILE, ID_EDIT_ITEM_FILE, ID_OPEN_ITEM_URL, 0,
                         ID_SITE_SETTINGS, ID_OPTIONS, ID_FEED_CHECK, 0, ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR};
const int kHelpMenu[] = {ID_HELP_FINDER, ID_HELP_INDEX, 0, ID_HOME_PAGE, ID_APP_ABOUT};

// The toolbar, in order, with each button's picture; 0 is a separator.
struct ToolEntry {
  int command;
  ToolIcon icon;
};
const ToolEntry kTools[] = {
    {ID_FILE_NEW, ToolIcon::kNew},   {ID_FILE_OPEN, ToolIcon::kOpen},  {ID_FILE_SAVE, ToolIcon::kSave},
    {0, ToolIcon::kNew},             {ID_CREATE_RSS, ToolIcon::kRss},  {ID_CREATE_ATOM, ToolIcon::kAtom},
    {0, ToolIcon::kNew},             {ID_IMPORT_FILE_LIST, ToolIcon::kScan}, {0, ToolIcon::kNew},
    {ID_FTP_UPLOAD, ToolIcon::kFtp}, {0, ToolIcon::kNew},              {ID_SITE_SETTINGS, ToolIcon::kSettings},
    {0, ToolIcon::kNew},             {ID_HELP_FINDER, ToolIcon::kHelp},
};

// One entry of the table in a menu: a check item for a command with a check rule.
void Append(wxMenu* menu, int command) {
  if (command == 0) {
    menu->AppendSeparator();
    return;
  }
  const CCommand& entry = *FindCommand(command);
  const bool check = entry.rule == CommandRule::kCheckToolBar || entry.rule == CommandRule::kCheckStatusBar;
  menu->Append(WxIdOfCommand(command), Wx(entry.text), Wx(entry.prompt), check ? wxITEM_CHECK : wxITEM_NORMAL);
}

template <size_t N>
void AppendAll(wxMenu* menu, const int (&commands)[N]) {
  for (int command : commands) Append(menu, command);
}

// The status bar's pane of the feed check's summary.
constexpr int kCheckPane = 5;

// The status bar's panes: the message, then the indicators.
const char* const kIndicators[] = {"ｶﾅ", "CAP", "NUM", "SCRL"};

}  // namespace

CMainFrame::CMainFrame(CDesktopInteraction& ui)
    : wxFrame(nullptr, wxID_ANY, "VamelRss", wxDefaultPosition, wxSize(700, 500)), m_ui(ui),
      m_doc(std::make_unique<CVamelRssDoc>(ui)) {
  SetIcons(AppIcons());
  BuildMenus();
  BuildToolBar();
  BuildStatusBar();
  m_view = new CVamelRssView(this, *m_doc, ui);
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
  Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateUi, this);
  ui.SetOwner(this);
  DocumentChanged();
}

CMainFrame::~CMainFrame() {
  SavePlacement();
  m_ui.SetOwner(nullptr);
}

void CMainFrame::BuildMenus() {
  auto* bar = new wxMenuBar;
  m_fileMenu = new wxMenu;
  AppendAll(m_fileMenu, kFileMenuTop);
  auto* create = new wxMenu;
  AppendAll(create, kCreateMenu);
  m_fileMenu->AppendSubMenu(create, Wx("作成(&L)"));
  m_fileMenu->AppendSeparator();
  auto* import = new wxMenu;
  AppendAll(import, kImportMenu);
  m_fileMenu->AppendSubMenu(import, Wx("インポート(&I)"));
  m_fileMenu->AppendSeparator();
  Append(m_fileMenu, ID_FTP_UPLOAD);
  m_fileMenu->AppendSeparator();
  // The recent files take the place of this entry (RebuildRecentFiles).
  m_fileMenu->Append(WxIdOfCommand(ID_FILE_MRU_FIRST), Wx("最近使ったﾌｧｲﾙ"))->Enable(false);
  m_fileMenu->AppendSeparator();
  Append(m_fileMenu, ID_APP_EXIT);
  bar->Append(m_fileMenu, Wx("ﾌｧｲﾙ(&F)"));

  auto* edit = new wxMenu;
  AppendAll(edit, kEditMenu);
  bar->Append(edit, Wx("編集(&E)"));

  auto* view = new wxMenu;
  AppendAll(view, kViewMenu);
  bar->Append(view, Wx("表示(&V)"));

  auto* help = new wxMenu;
  AppendAll(help, kHelpMenu);
  bar->Append(help, Wx("ﾍﾙﾌﾟ(&H)"));
  SetMenuBar(bar);
}

void CMainFrame::BuildToolBar() {
  wxToolBar* tools = CreateToolBar(wxTB_HORIZONTAL | wxTB_FLAT | wxTB_TOP);
  tools->SetToolBitmapSize(FromDIP(wxSize(24, 24)));
  for (const ToolEntry& tool : kTools) {
    if (tool.command == 0) {
      tools->AddSeparator();
      continue;
    }
    const CCommand& entry = *FindCommand(tool.command);
    const int id = WxIdOfCommand(tool.command);
    tools->AddTool(id, Wx(entry.toolTip), ToolIconBundle(tool.icon, 24), Wx(entry.toolTip), wxITEM_NORMAL);
    tools->SetToolLongHelp(id, Wx(entry.prompt));
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
  CRssFile wizard;
  LoadMarkerDefaults();
  if (!RunNewProjectWizard(m_ui.Parent(), wizard, m_ui)) return false;
  m_doc->NewFrom(wizard);
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
  if (RunDesktopCommand(*this, command)) return true;
  if (command >= ID_FILE_MRU_FIRST && command < ID_FILE_MRU_FIRST + m_recentCount) {
    const std::vector<std::string> recent = GetRecentFiles();
    const size_t index = static_cast<size_t>(command - ID_FILE_MRU_FIRST);
    if (index < recent.size()) OpenDocument(recent[index]);
    return true;
  }
  return false;
}

void CMainFrame::ToggleToolBar() {
  GetToolBar()->Show(!GetToolBar()->IsShown());
  Layout();
  SendSizeEvent();
}

void CMainFrame::ToggleStatusBar() {
  GetStatusBar()->Show(!GetStatusBar()->IsShown());
  SendSizeEvent();
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

void CMainFrame::ShowFindings(const CFeedCheckReport& report) {
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
  UpdateIndicators();
  event.Skip();
}

void CMainFrame::OnUpdateUi(wxUpdateUIEvent& event) {
  const CCommand* command = FindCommand(CommandOfWxId(event.GetId()));
  switch (command ? command->rule : CommandRule::kAlways) {
    case CommandRule::kAlways: event.Skip(); break;
    case CommandRule::kWhenFindings: event.Enable(m_hasFindings); break;
    case CommandRule::kCheckToolBar: event.Check(GetToolBar() && GetToolBar()->IsShown()); break;
    case CommandRule::kCheckStatusBar: event.Check(GetStatusBar() && GetStatusBar()->IsShown()); break;
  }
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
