// The item list: a virtual report list over the project's items, so that drawing and refreshing cost
// work in proportion to the visible rows, not the item count. Row i is item i.
#pragma once

#include <wx/listctrl.h>

#include <vector>

class CRssFile;

class CItemListCtrl : public wxListView {
public:
  CItemListCtrl(wxWindow* parent, wxWindowID id, const CRssFile& project);

  // The rows follow the project's item count; the visible ones are drawn again.
  void SyncRows();
  // Sizes each column to its longest text: the header and the widest rows' texts (WidestRows), so a
  // large project is not measured row by row.
  void AutoSizeColumns();
  // Widens the columns where the texts of `row` need more room; the cheap update after one row changed.
  void WidenForRow(int row);
  // True when a text of `row` is what a column's width was sized to (that column would narrow without it).
  bool SetsAColumnWidth(int row) const;

  int GetCurrent() const;  // the row with the focus, or -1
  std::vector<int> GetSelectedIndexes() const;  // increasing
  void SelectOnly(int row);  // selected and focused, the others unselected
  void ScrollToTop(int row);
  int GetTopRow() const { return static_cast<int>(GetTopItem()); }

  // Items the feeds keep out (hidden, or held back until their date) are drawn greyed.
  wxItemAttr* OnGetItemAttr(long item) const override;

protected:
  wxString OnGetItemText(long item, long column) const override;

private:
  void Widen(int column, const wxString& text);

  const CRssFile& m_project;
  mutable wxItemAttr m_keptOut;
};
