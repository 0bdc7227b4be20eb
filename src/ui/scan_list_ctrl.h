// The folder scan's list: a virtual report list over the scan's rows ("対応URL", "日付", "フォルダ",
// "ファイル名"), with grid lines, full-row and multiple selection. The scan holds the rows and which of
// them are selected; the list shows them and hands the user's selection back before each command.
#pragma once

#include <wx/listctrl.h>

class CFolderScan;

class CScanListCtrl : public wxListView {
public:
  CScanListCtrl(wxWindow* parent, wxWindowID id, const CFolderScan& scan);

  // The rows of the scan with its selection; the columns sized to their contents and headers; the
  // focus on the first selected row, which is scrolled into view.
  void ShowRows();
  // The width that shows every column whole, without a horizontal scroll bar.
  int ColumnsWidth() const;
  // The list's selection and focused row into the scan.
  void CopySelectionTo(CFolderScan& scan) const;

protected:
  wxString OnGetItemText(long item, long column) const override;

private:
  void SizeColumns();

  const CFolderScan& m_scan;
};
