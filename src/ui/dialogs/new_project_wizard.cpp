#include "ui/dialogs/new_project_wizard.h"

#include <wx/button.h>
#include <wx/sizer.h>

#include "ui/art.h"
#include "ui/dialogs/settings_pages.h"
#include "ui/dialogs/xrc_dialog.h"
#include "ui/wx_text.h"

CNewProjectWizard::CNewProjectWizard(wxWindow* parent, const wxString& title, CSettingsSheet& sheet, CInteraction& ui)
    : m_sheet(sheet) {
  Create(parent, wxID_ANY, title);
  SetIcons(AppIcons());  // at first start it is the program's only window
  for (int i = 0; i < sheet.GetPageCount(); ++i) {
    auto* page = new wxWizardPageSimple(this);
    CSettingsPagePanel* panel = CreateSettingsPage(page, sheet.GetPage(i), sheet, ui);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(panel, 1, wxEXPAND);
    page->SetSizer(sizer);
    if (!m_pages.empty()) wxWizardPageSimple::Chain(m_pages.back(), page);
    m_pages.push_back(page);
    m_panels.push_back(panel);
    GetPageAreaSizer()->Add(page);
  }
  UseTranslatedCancelLabel(this);
  Bind(wxEVT_WIZARD_PAGE_CHANGING, &CNewProjectWizard::OnPageChanging, this);
}

bool CNewProjectWizard::Run() { return !m_pages.empty() && RunWizard(m_pages.front()); }

int CNewProjectWizard::IndexOf(const wxWizardPage* page) const {
  for (size_t i = 0; i < m_pages.size(); ++i) {
    if (m_pages[i] == page) return static_cast<int>(i);
  }
  return -1;
}

// Each page loads when it is first shown. The closing page leaves only "完了" and Cancel: wx labels its
// Next button when it shows a page, so the label is changed afterwards.
bool CNewProjectWizard::ShowPage(wxWizardPage* page, bool goingForward) {
  const int index = IndexOf(page);
  if (index >= 0 && !m_sheet.IsDisplayed(index)) {
    m_sheet.Display(index);
    m_panels[static_cast<size_t>(index)]->TransferDataToWindow();
  }
  if (!wxWizard::ShowPage(page, goingForward)) return false;
  if (index >= 0 && m_sheet.GetPage(index) == SettingsPage::kFinish) {
    if (auto* next = wxDynamicCast(FindWindow(wxID_FORWARD), wxButton)) next->SetLabel(Wx("完了"));
    if (wxWindow* back = FindWindow(wxID_BACKWARD)) back->Hide();
    Layout();
  }
  return true;
}

// Next stores the page being left (wx has validated it and taken its controls into its values).
void CNewProjectWizard::OnPageChanging(wxWizardEvent& event) {
  if (!event.GetDirection()) return;
  const int index = IndexOf(event.GetPage());
  if (index >= 0) m_sheet.Store(index);
}

bool RunNewProjectWizard(wxWindow* parent, CRssFile& project, CInteraction& ui) {
  CSettingsSheet sheet = CSettingsSheet::NewProjectWizard(project);
  CNewProjectWizard wizard(parent, Wx("RSSの新規作成"), sheet, ui);
  if (!wizard.Run()) return false;
  sheet.StoreDisplayed();
  return true;
}
