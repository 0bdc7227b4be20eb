#include "ui/vamel_rss_view.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/menu.h>

#include <algorithm>

#include "app/item_commands.h"
#include "app/item_view_model.h"
#include "app/list_layout.h"
#include "app/vamel_rss_doc.h"
#include "model/rss_file.h"
#include "model/rss_item.h"
#include "settings/options.h"
#include "ui/command_wx_ids.h"
#include "ui/desktop_interaction.h"
#include "ui/dialogs/existing_url_dialog.h"
#include "ui/dialogs/item_editor_dialog.h"
#include "ui/dialogs/small_dialogs.h"
#include "ui/html_ctrl.h"
#include "ui/item_list_ctrl.h"
#include "ui/wx_text.h"

namespace {

// The item buttons of the view, top to bottom, and the command each runs.
struct ButtonRow {
  int id;
  const char* label;
  int command;
};
const ButtonRow kButtons[] = {
    {IDC_ADD_BUTTON, "追加(&A)...", ID_ITEM_ADD},       {IDC_EDIT_BUTTON, "編集(&R)...", ID_ITEM_EDIT},
    {IDC_DELETE_BUTTON, "削除(&D)...", ID_ITEM_DELETE}, {IDC_UP_BUTTON, "一つ上へ(&U)...", ID_ITEM_UP},
    {IDC_DOWN_BUTTON, "一つ下へ(&W)...", ID_ITEM_DOWN},
};

const char* const kPreviewModes[] = {"詳細", "ローカル", "URL"};

// The narrowest the list and the preview become.
constexpr int kMinimumListWidth = 160;

// The list's context menu "リスト", its texts from the command table; 0 is a separator.
const int kContextMenu[] = {ID_ITEM_ADD,       ID_ITEM_EDIT, ID_ITEM_DELETE, 0, ID_ITEM_UP, ID_ITEM_DOWN, 0, ID_ITEM_SORT, 0,
                            ID_ITEM_CATEGORY, 0,            ID_OPEN_ITEM_FILE, ID_EDIT_ITEM_FILE, ID_OPEN_ITEM_URL};

wxRect ToWx(const CLayoutRect& r) { return wxRect(r.left, r.top, r.Width(), r.Height()); }

}  // namespace

CVamelRssView::CVamelRssView(wxWindow* parent, CVamelRssDoc& doc, CDesktopInteraction& ui)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxFULL_REPAINT_ON_RESIZE),
      m_doc(doc), m_ui(ui) {
  m_list = new CItemListCtrl(this, IDC_LIST, doc.GetProject());
  for (const ButtonRow& row : kButtons) m_buttons.push_back(new wxButton(this, row.id, Wx(row.label)));
  wxArrayString modes;
  for (const char* mode : kPreviewModes) modes.Add(Wx(mode));
  m_mode = new wxChoice(this, IDC_PREVIEW_MODE, wxDefaultPosition, wxDefaultSize, modes);
  m_create = new wxButton(this, IDC_CREATE_BUTTON, Wx("作成(&X)"));
  m_preview = new CHtmlCtrl(this, wxID_ANY);

  Bind(wxEVT_SIZE, &CVamelRssView::OnSize, this);
  Bind(wxEVT_LEFT_DOWN, &CVamelRssView::OnLeftDown, this);
  Bind(wxEVT_LEFT_UP, &CVamelRssView::OnLeftUp, this);
  Bind(wxEVT_MOUSE_CAPTURE_LOST, &CVamelRssView::OnCaptureLost, this);
  m_list->Bind(wxEVT_LIST_ITEM_SELECTED, &CVamelRssView::OnRowState, this);
  m_list->Bind(wxEVT_LIST_ITEM_DESELECTED, &CVamelRssView::OnRowState, this);
  m_list->Bind(wxEVT_LIST_ITEM_FOCUSED, &CVamelRssView::OnRowState, this);
  m_list->Bind(wxEVT_LIST_ITEM_ACTIVATED, &CVamelRssView::OnRowActivated, this);
  // Anywhere in the list, rows or empty space, and the keyboard's menu key.
  m_list->Bind(wxEVT_CONTEXT_MENU, &CVamelRssView::OnContextMenu, this);
  m_mode->Bind(wxEVT_CHOICE, &CVamelRssView::OnPreviewMode, this);
  Bind(wxEVT_BUTTON, &CVamelRssView::OnButton, this);
}

void CVamelRssView::OnInitialUpdate() {
  if (!m_initialised) {
    m_previewMode = std::clamp(GetPreviewModeOption(), 0, 2);
    m_mode->SetSelection(m_previewMode);
    m_initialised = true;
  }
  LayoutControls();
  RefreshList(-1);
}

void CVamelRssView::RefreshList(int row, bool remeasure) {
  const int count = m_doc.GetProject().GetSize();
  if (row == -1) row = m_list->GetCurrent();
  else if (row == -2) row = count - 1;
  m_refreshing = true;
  const int top = m_list->GetTopRow();
  m_list->Freeze();
  m_list->SyncRows();
  m_list->ScrollToTop(std::min(top, count - 1));
  if (row >= count) row = count - 1;
  m_list->SelectOnly(row);
  if (row >= 0) m_list->EnsureVisible(row);
  m_list->SetFocus();
  if (count > 0) {
    if (remeasure) m_list->AutoSizeColumns();
    else m_list->WidenForRow(row);
  }
  m_list->Thaw();
  m_refreshing = false;
  if (row >= 0) PreviewItem(row);
}

wxSize CVamelRssView::ButtonSize() const {
  wxSize button(0, 0);
  for (wxButton* b : m_buttons) button.IncTo(b->GetBestSize());
  button.IncTo(m_create->GetBestSize());
  return button;
}

int CVamelRssView::MinimumPaneHeight() const {
  // The list's header, a row and a scroll bar.
  return 3 * (m_list->GetCharHeight() + 8);
}

void CVamelRssView::LayoutControls() {
  const wxSize client = GetClientSize();
  const wxSize button = ButtonSize();
  const CListLayout layout = ComputeListLayout(CLayoutRect{0, 0, client.x, client.y}, button.x, button.y, ListHeightPercent(),
                                               MinimumPaneHeight());
  for (size_t k = 0; k < m_buttons.size(); ++k) m_buttons[k]->SetSize(ToWx(layout.buttons[k]));
  m_mode->SetSize(ToWx(layout.buttons[5]));
  m_create->SetSize(ToWx(layout.create));
  m_list->SetSize(ToWx(layout.list));
  m_preview->SetSize(ToWx(layout.preview));
  m_splitter = ToWx(layout.splitter);
}

wxSize CVamelRssView::MinimumClientSize() const {
  const wxSize button = ButtonSize();
  const CLayoutRect smallest = MinimumListLayoutSize(button.x, button.y, kMinimumListWidth, MinimumPaneHeight());
  return wxSize(smallest.Width(), smallest.Height());
}

void CVamelRssView::PreviewItem(int index) {
  const CPreviewTarget target = PreviewFor(m_doc.GetProject(), index, m_previewMode);
  if (target.isHtml) m_preview->SetHtml(target.text);
  else m_preview->Navigate(target.text);
}

void CVamelRssView::PreviewCurrent() {
  const int current = m_list->GetCurrent();
  if (current >= 0) PreviewItem(current);
}

void CVamelRssView::ApplyItemCommand(bool changed, int row, bool remeasure) {
  if (changed) m_doc.SetModifiedFlag();
  if (row != kNoRefresh) RefreshList(row, remeasure);
}

int CVamelRssView::CurrentRow() const { return m_list->GetCurrent(); }

// The columns are measured again (over every row) only when a row that set a column's width is edited
// or goes; otherwise the changed row can only widen them. Moving, sorting and a new category keep every
// text of the list.

void CVamelRssView::AddItem() {
  CRssFile& project = m_doc.GetProject();
  auto item = std::make_unique<CRssItem>();  // both times are now
  CItemEditorDialog editor(m_ui.Parent(), project, *item, m_ui);
  if (editor.ShowModal() != wxID_OK) return;
  editor.Values().StoreInto(*item);
  ExistingUrlAnswer answer = ExistingUrlAnswer::kAddBeside;
  if (project.FindItemByUrl(item->url) >= 0) answer = CExistingUrlDialog(m_ui.Parent()).Ask();
  const int before = project.GetSize();
  const CItemCommandResult r = InsertNewItem(project, std::move(item), answer);
  ApplyItemCommand(r.changed, r.row, project.GetSize() <= before);  // it replaced an item
}

void CVamelRssView::EditItem() {
  CRssFile& project = m_doc.GetProject();
  const int current = CurrentRow();
  if (current < 0 || current >= project.GetSize()) return;
  CRssItem& item = *project.GetAt(current);
  const bool widest = m_list->SetsAColumnWidth(current);
  CItemEditorDialog editor(m_ui.Parent(), project, item, m_ui);
  if (editor.ShowModal() != wxID_OK) return;
  editor.Values().StoreInto(item);
  ApplyItemCommand(true, current, widest);
}

void CVamelRssView::DeleteItems() {
  const std::vector<int> rows = m_list->GetSelectedIndexes();
  const bool widest = std::any_of(rows.begin(), rows.end(), [this](int row) { return m_list->SetsAColumnWidth(row); });
  const CItemCommandResult r = DeleteItemsCommand(m_doc.GetProject(), rows, m_ui);
  ApplyItemCommand(r.changed, r.row, widest);
}

void CVamelRssView::MoveItemUp() {
  const CItemCommandResult r = ::MoveItemUp(m_doc.GetProject(), CurrentRow());
  ApplyItemCommand(r.changed, r.row, false);
}

void CVamelRssView::MoveItemDown() {
  const CItemCommandResult r = ::MoveItemDown(m_doc.GetProject(), CurrentRow());
  ApplyItemCommand(r.changed, r.row, false);
}

void CVamelRssView::SortItems() {
  const CItemCommandResult r = SortItemsNewestFirst(m_doc.GetProject());
  ApplyItemCommand(r.changed, r.row, false);
}

void CVamelRssView::ChangeCategory() {
  CRssFile& project = m_doc.GetProject();
  const std::vector<int> rows = m_list->GetSelectedIndexes();
  if (rows.empty()) return;
  CCategoryDialog dialog(m_ui.Parent(), project, CategoryOfSelection(project, rows));
  if (dialog.ShowModal() != wxID_OK) return;
  const CItemCommandResult r = SetItemsCategory(project, rows, dialog.Category());
  ApplyItemCommand(r.changed, r.row, false);
}

void CVamelRssView::SendCommand(int command) {
  // To the main window, as if from its menu: every command has its one handler there.
  wxCommandEvent event(wxEVT_MENU, WxIdOfCommand(command));
  event.SetEventObject(this);
  ProcessWindowEvent(event);
}

void CVamelRssView::OnSize(wxSizeEvent& event) {
  if (m_initialised) LayoutControls();
  event.Skip();
}

void CVamelRssView::OnLeftDown(wxMouseEvent& event) {
  if (m_splitter.Contains(event.GetPosition()) && !HasCapture()) {
    CaptureMouse();
    SetCursor(wxCursor(wxCURSOR_SIZENS));
    m_dragging = true;
  }
  event.Skip();
}

void CVamelRssView::OnLeftUp(wxMouseEvent& event) {
  if (m_dragging) {
    EndDrag();
    int percent = 0;
    if (SplitterPercent(event.GetPosition().y, GetClientSize().y, percent)) SetListHeightPercent(percent);
    LayoutControls();
  }
  event.Skip();
}

void CVamelRssView::OnCaptureLost(wxMouseCaptureLostEvent&) {
  m_dragging = false;
  SetCursor(wxNullCursor);
}

void CVamelRssView::EndDrag() {
  m_dragging = false;
  if (HasCapture()) ReleaseMouse();
  SetCursor(wxNullCursor);
}

void CVamelRssView::OnRowState(wxListEvent& event) {
  if (!m_refreshing) PreviewCurrent();
  event.Skip();
}

void CVamelRssView::OnRowActivated(wxListEvent&) { SendCommand(ID_ITEM_EDIT); }

void CVamelRssView::OnContextMenu(wxContextMenuEvent& event) {
  wxMenu menu;
  for (int command : kContextMenu) {
    if (command == 0) menu.AppendSeparator();
    else menu.Append(WxIdOfCommand(command), Wx(FindCommand(command)->popupText));
  }
  // From the keyboard there is no pointer position: the menu comes at the current row.
  wxPoint at = event.GetPosition();
  if (at == wxDefaultPosition) {
    wxRect row;
    const int current = m_list->GetCurrent();
    at = current >= 0 && m_list->GetItemRect(current, row) ? m_list->ClientToScreen(row.GetBottomLeft())
                                                            : m_list->GetScreenPosition();
  }
  const int chosen = GetPopupMenuSelectionFromUser(menu, ScreenToClient(at));
  if (chosen != wxID_NONE) SendCommand(CommandOfWxId(chosen));
}

void CVamelRssView::OnPreviewMode(wxCommandEvent&) {
  m_previewMode = std::max(m_mode->GetSelection(), 0);
  SetPreviewModeOption(m_previewMode);
  PreviewCurrent();
}

void CVamelRssView::OnButton(wxCommandEvent& event) {
  for (const ButtonRow& row : kButtons) {
    if (row.id == event.GetId()) {
      SendCommand(row.command);
      return;
    }
  }
  if (event.GetId() == IDC_CREATE_BUTTON) SendCommand(IDC_CREATE_BUTTON);
  else event.Skip();
}
