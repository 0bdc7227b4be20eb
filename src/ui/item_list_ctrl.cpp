#include "ui/item_list_ctrl.h"

#include <algorithm>

#include <wx/settings.h>

#include "app/item_view_model.h"
#include "model/rss_file.h"
#include "model/rss_item.h"
#include "platform/clock.h"
#include "ui/wx_text.h"

namespace {

constexpr int kColumnWidth = 100;
constexpr int kCellPadding = 16;  // the text's margins inside a cell
// Rows measured per column when the columns are sized: the widest by their character count.
constexpr size_t kMeasuredRows = 24;

}  // namespace

CItemListCtrl::CItemListCtrl(wxWindow* parent, wxWindowID id, const CRssFile& project)
    : wxListView(parent, id, wxDefaultPosition, wxDefaultSize, wxLC_REPORT | wxLC_VIRTUAL | wxLC_HRULES | wxLC_VRULES),
      m_project(project) {
  for (int column = 0; column < kListColumnCount; ++column) {
    AppendColumn(Wx(ListColumnTitle(column)), wxLIST_FORMAT_LEFT, kColumnWidth);
  }
}

void CItemListCtrl::SyncRows() {
  SetItemCount(m_project.GetSize());
  Refresh();
}

void CItemListCtrl::AutoSizeColumns() {
  for (int column = 0; column < kListColumnCount; ++column) {
    int width = GetTextExtent(Wx(ListColumnTitle(column))).GetWidth();
    for (int row : WidestRows(m_project, column, kMeasuredRows)) {
      width = std::max(width, GetTextExtent(ToWx(ListCellText(*m_project.GetAt(row), column))).GetWidth());
    }
    SetColumnWidth(column, width + kCellPadding);
  }
}

void CItemListCtrl::WidenForRow(int row) {
  if (row < 0 || row >= m_project.GetSize()) return;
  for (int column = 0; column < kListColumnCount; ++column) Widen(column, ToWx(ListCellText(*m_project.GetAt(row), column)));
}

bool CItemListCtrl::SetsAColumnWidth(int row) const {
  if (row < 0 || row >= m_project.GetSize()) return false;
  for (int column = 0; column < kListColumnCount; ++column) {
    const int width = GetTextExtent(ToWx(ListCellText(*m_project.GetAt(row), column))).GetWidth() + kCellPadding;
    if (width >= GetColumnWidth(column)) return true;
  }
  return false;
}

void CItemListCtrl::Widen(int column, const wxString& text) {
  const int width = GetTextExtent(text).GetWidth() + kCellPadding;
  if (width > GetColumnWidth(column)) SetColumnWidth(column, width);
}

int CItemListCtrl::GetCurrent() const {
  const long focused = GetFocusedItem();
  return focused >= 0 && focused < GetItemCount() ? static_cast<int>(focused) : -1;
}

std::vector<int> CItemListCtrl::GetSelectedIndexes() const {
  std::vector<int> rows;
  for (long row = GetFirstSelected(); row != -1; row = GetNextSelected(row)) rows.push_back(static_cast<int>(row));
  return rows;
}

void CItemListCtrl::SelectOnly(int row) {
  SetItemState(-1, 0, wxLIST_STATE_SELECTED);  // every row at once, whatever the count
  if (row < 0 || row >= GetItemCount()) return;
  SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
}

void CItemListCtrl::ScrollToTop(int row) {
  if (row < 0 || row >= GetItemCount()) return;
  // Show the last row first, then the wanted one: it ends at the top where the list allows.
  EnsureVisible(GetItemCount() - 1);
  EnsureVisible(row);
}

wxItemAttr* CItemListCtrl::OnGetItemAttr(long item) const {
  if (item < 0 || item >= m_project.GetSize()) return nullptr;
  if (!m_project.IsKeptOutOfFeeds(*m_project.GetAt(static_cast<int>(item)), CurrentTime())) return nullptr;
  m_keptOut.SetTextColour(wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT));
  return &m_keptOut;
}

wxString CItemListCtrl::OnGetItemText(long item, long column) const {
  if (item < 0 || item >= m_project.GetSize()) return wxString();
  return ToWx(ListCellText(*m_project.GetAt(static_cast<int>(item)), static_cast<int>(column)));
}
