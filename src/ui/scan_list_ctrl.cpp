#include "ui/scan_list_ctrl.h"

#include <wx/settings.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "app/folder_scan.h"
#include "ui/wx_text.h"

namespace {

const char* const kColumnTitles[] = {"対応URL", "日付", "フォルダ", "ファイル名"};
constexpr int kColumnCount = 4;
constexpr int kColumnWidth = 100;  // as inserted, before the columns are sized
constexpr int kCellPadding = 16;   // the text's margins inside a cell
// Texts measured per column: the longest by their bytes (a double-byte character is about twice as
// wide as a single-byte one), so a large site is not measured row by row.
constexpr size_t kMeasuredRows = 24;

const std::string& CellText(const CScanRow& row, int column) {
  switch (column) {
    case 0: return row.relativePath;
    case 1: return row.dateText;
    case 2: return row.folder;
    default: return row.name;
  }
}

}  // namespace

CScanListCtrl::CScanListCtrl(wxWindow* parent, wxWindowID id, const CFolderScan& scan)
    : wxListView(parent, id, wxDefaultPosition, wxDefaultSize, wxLC_REPORT | wxLC_VIRTUAL | wxLC_HRULES | wxLC_VRULES),
      m_scan(scan) {
  for (const char* title : kColumnTitles) AppendColumn(Wx(title), wxLIST_FORMAT_LEFT, kColumnWidth);
}

void CScanListCtrl::ShowRows() {
  Freeze();
  SetItemCount(m_scan.GetCount());
  SetItemState(-1, 0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
  const std::vector<int> selected = m_scan.GetSelectedRows();
  for (int row : selected) SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
  if (!selected.empty()) {
    SetItemState(selected.front(), wxLIST_STATE_FOCUSED, wxLIST_STATE_FOCUSED);
    EnsureVisible(selected.front());
  } else if (GetItemCount() > 0) {
    EnsureVisible(0);
  }
  SizeColumns();
  Thaw();
  Refresh();
}

void CScanListCtrl::SizeColumns() {
  const std::vector<CScanRow>& rows = m_scan.GetRows();
  for (int column = 0; column < kColumnCount; ++column) {
    std::vector<std::pair<size_t, size_t>> lengths;  // bytes, row
    lengths.reserve(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) lengths.emplace_back(CellText(rows[i], column).size(), i);
    const size_t measured = std::min(kMeasuredRows, lengths.size());
    std::partial_sort(lengths.begin(), lengths.begin() + static_cast<std::ptrdiff_t>(measured), lengths.end(),
                      [](const auto& a, const auto& b) { return a.first > b.first; });
    int width = GetTextExtent(Wx(kColumnTitles[column])).GetWidth();
    for (size_t k = 0; k < measured; ++k) {
      width = std::max(width, GetTextExtent(ToWx(CellText(rows[lengths[k].second], column))).GetWidth());
    }
    SetColumnWidth(column, width + kCellPadding);
  }
}

int CScanListCtrl::ColumnsWidth() const {
  int width = 0;
  for (int column = 0; column < kColumnCount; ++column) width += GetColumnWidth(column);
  return width + wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, this) + 4;
}

void CScanListCtrl::CopySelectionTo(CFolderScan& scan) const {
  scan.ClearSelection();
  for (long row = GetFirstSelected(); row != -1; row = GetNextSelected(row)) scan.Select(static_cast<int>(row));
  const long focused = GetFocusedItem();
  scan.SetFocusRow(focused >= 0 && focused < GetItemCount() ? static_cast<int>(focused) : -1);
}

wxString CScanListCtrl::OnGetItemText(long item, long column) const {
  if (item < 0 || item >= m_scan.GetCount()) return wxString();
  return ToWx(CellText(m_scan.GetRows()[static_cast<size_t>(item)], static_cast<int>(column)));
}
