// The wizard "RSSの新規作成": the site, local folder, FTP and closing pages over the new project. Next
// stores the page being left; the closing page turns Next into "完了" and hides Back. The owner stores
// the displayed pages once more after Finish (CSettingsSheet::StoreDisplayed).
#pragma once

#include <wx/wizard.h>

#include <vector>

#include "app/settings_sheet.h"

class CInteraction;
class CRssFile;
class CSettingsPagePanel;

class CNewProjectWizard : public wxWizard {
public:
  CNewProjectWizard(wxWindow* parent, const wxString& title, CSettingsSheet& sheet, CInteraction& ui);

  // Runs the wizard from its first page; true when finished.
  bool Run();

  int PageCount() const { return static_cast<int>(m_pages.size()); }
  wxWizardPageSimple* WizardPage(int i) const { return m_pages[static_cast<size_t>(i)]; }
  CSettingsPagePanel* Page(int i) const { return m_panels[static_cast<size_t>(i)]; }

protected:
  bool ShowPage(wxWizardPage* page, bool goingForward) override;

private:
  int IndexOf(const wxWizardPage* page) const;
  void OnPageChanging(wxWizardEvent& event);

  CSettingsSheet& m_sheet;
  std::vector<wxWizardPageSimple*> m_pages;
  std::vector<CSettingsPagePanel*> m_panels;
};

// The wizard over `project` (site, local folder, FTP, finish); true, with the pages stored, when the
// user finished it.
bool RunNewProjectWizard(wxWindow* parent, CRssFile& project, CInteraction& ui);
