// "ファイル一覧からの取り込み": every page below the project's local folder, newest first, the new ones
// preselected; the "除外" group keeps pages and folders out of later scans. "取り込み" ends the dialog
// with the selection in the scan, whose owner then imports the selected pages. The scan itself
// (app/folder_scan.h) holds the rows and does the work.
#pragma once

#include <wx/dialog.h>

#include "app/exclusion_list_edit.h"
#include "app/folder_scan.h"

class CInteraction;
class CRssFile;
class CScanListCtrl;
class wxListEvent;

class CFolderScanDialog : public wxDialog {
public:
  // Scans at once (with the wait cursor).
  CFolderScanDialog(wxWindow* parent, CRssFile& project, CInteraction& ui);

  CScanListCtrl* List() const { return m_list; }
  // After "取り込み": the scan with the rows the user selected.
  CFolderScan& Scan() { return m_scan; }

private:
  void OnImport(wxCommandEvent& event);
  void OnExtensions(wxCommandEvent& event);
  void OnSelectNew(wxCommandEvent& event);
  void OnExcludeFiles(wxCommandEvent& event);
  void OnExcludeFolder(wxCommandEvent& event);
  void OnExcludedList(ExclusionKind kind);
  void OnActivated(wxListEvent& event);

  CFolderScan m_scan;
  CInteraction& m_ui;
  CScanListCtrl* m_list;
};
