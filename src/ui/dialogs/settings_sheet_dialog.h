// The settings pages in a property sheet with OK and Cancel (no Apply): "サイトの設定", and "ftp転送"
// with the FTP page alone. A page loads when it is first displayed; leaving a page or OK checks it
// first and keeps it open when its values are wrong. The dialog only gathers the values: its owner
// stores them after OK (CSettingsSheet::StoreDisplayed).
#pragma once

#include <wx/propdlg.h>

#include <vector>

#include "app/settings_sheet.h"

class CInteraction;
class CRssFile;
class CSettingsPagePanel;
class wxBookCtrlEvent;

class CSettingsSheetDialog : public wxPropertySheetDialog {
public:
  CSettingsSheetDialog(wxWindow* parent, const wxString& title, CSettingsSheet& sheet, CInteraction& ui);

  CSettingsPagePanel* Page(int i) const { return m_pages[static_cast<size_t>(i)]; }

private:
  void ShowPage(int i);
  void OnPageChanging(wxBookCtrlEvent& event);
  void OnPageChanged(wxBookCtrlEvent& event);
  void OnOk(wxCommandEvent& event);
  // The page's controls into its values; false (with the page's message) when they cannot be taken.
  bool TakePage(int i);

  CSettingsSheet& m_sheet;
  std::vector<CSettingsPagePanel*> m_pages;
  int m_refused = -1;  // the page whose leaving was just refused, until it is shown again
};

// "サイトの設定" over `project` (site, folder, RSS, Atom, FTP); true, with the pages stored, on OK.
bool RunSiteSettings(wxWindow* parent, CRssFile& project, CInteraction& ui);
// "ftp転送" for a feed file: the FTP page alone in its profile mode (app/ftp_profile_mode.h); true, with
// the project's FTP settings and the profile stored, on OK.
bool RunFtpProfileMode(wxWindow* parent, CRssFile& project, CInteraction& ui);
