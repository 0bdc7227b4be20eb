// The settings pages in a property sheet with OK and Cancel (no Apply): "サイトの設定", and "ftp転送"
// with the FTP page alone. The classic pages (site, folder, RSS, Atom, FTP) have a tab each; the
// pages beyond them share the tab "拡張", where a list on the left picks one ("全般", "JSON Feed", ...).
// A page loads when it is first displayed; leaving a page (for another tab or another entry of the
// list) or OK checks it first and keeps it open when its values are wrong. The dialog only gathers the
// values: its owner stores them after OK (CSettingsSheet::StoreDisplayed).
#pragma once

#include <wx/propdlg.h>

#include <vector>

#include "app/settings_sheet.h"

class CInteraction;
class CRssFile;
class CSettingsPagePanel;
class wxBookCtrlBase;
class wxBookCtrlEvent;
class wxKeyEvent;

class CSettingsSheetDialog : public wxPropertySheetDialog {
public:
  CSettingsSheetDialog(wxWindow* parent, const wxString& title, CSettingsSheet& sheet, CInteraction& ui);

  // The sheet's page `i` (the model's index, whatever tab holds it).
  CSettingsPagePanel* Page(int i) const { return m_pages[static_cast<size_t>(i)]; }
  // The book on the tab "拡張", with its list of pages; null when the sheet has no page beyond the classic ones.
  wxBookCtrlBase* ExtensionBook() const { return m_extBook; }
  // The page in view (the model's index).
  int CurrentPage() const;

private:
  // Where a page stands: its tab, and its entry in the book of "拡張" (-1 for a tab of its own).
  struct Place {
    int tab;
    int entry;
  };

  // The page shown when `book` selects `selection`; -1 for none.
  int PageAt(const wxBookCtrlBase* book, int selection) const;
  void ShowPage(int i);
  // Brings page `i` into view without the checks of leaving the page in view.
  void Reveal(int i);
  void OnPageChanging(wxBookCtrlEvent& event);
  void OnPageChanged(wxBookCtrlEvent& event);
  void OnOk(wxCommandEvent& event);
  void OnCharHook(wxKeyEvent& event);
  // The page's controls into its values; false (with the page's message) when they cannot be taken.
  bool TakePage(int i);

  CSettingsSheet& m_sheet;
  std::vector<CSettingsPagePanel*> m_pages;
  std::vector<Place> m_places;
  wxBookCtrlBase* m_extBook = nullptr;
  int m_extTab = -1;
  // The book whose change was just refused and its selection to go back to, until it is shown again.
  wxBookCtrlBase* m_refusedBook = nullptr;
  int m_refused = -1;
};

// "サイトの設定" over `project` (site, folder, RSS, Atom, FTP and the extension pages); true, with the
// pages stored, on OK.
bool RunSiteSettings(wxWindow* parent, CRssFile& project, CInteraction& ui);
// "ftp転送" for a feed file: the FTP page alone in its profile mode (app/ftp_profile_mode.h); true, with
// the project's FTP settings and the profile stored, on OK.
bool RunFtpProfileMode(wxWindow* parent, CRssFile& project, CInteraction& ui);
