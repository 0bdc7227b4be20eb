// "フィードの検査": a small modeless window over the main window with what the check of the feeds a
// creation command wrote found, one row per finding.
#pragma once

#include <wx/frame.h>

struct CFeedCheckReport;
class wxListCtrl;
class wxStaticText;

class CFeedCheckWindow : public wxFrame {
public:
  explicit CFeedCheckWindow(wxWindow* owner);

  // Shows the findings of `report` (the window itself is shown by its owner).
  void SetReport(const CFeedCheckReport& report);
  int RowCount() const;

private:
  wxStaticText* m_summary;
  wxListCtrl* m_list;
};
