#include "ui/dialogs/settings_sheet_dialog.h"

#include <wx/bookctrl.h>

#include "ui/dialogs/settings_pages.h"

CSettingsSheetDialog::CSettingsSheetDialog(wxWindow* parent, const wxString& title, CSettingsSheet& sheet, CInteraction& ui)
    : m_sheet(sheet) {
  Create(parent, wxID_ANY, title);
  wxBookCtrlBase* book = GetBookCtrl();
  for (int i = 0; i < sheet.GetPageCount(); ++i) {
    CSettingsPagePanel* page = CreateSettingsPage(book, sheet.GetPage(i), sheet, ui);
    m_pages.push_back(page);
    book->AddPage(page, page->Label());
  }
  CreateButtons(wxOK | wxCANCEL);
  LayoutDialog();
  ShowPage(0);
  book->Bind(wxEVT_BOOKCTRL_PAGE_CHANGING, &CSettingsSheetDialog::OnPageChanging, this);
  book->Bind(wxEVT_BOOKCTRL_PAGE_CHANGED, &CSettingsSheetDialog::OnPageChanged, this);
  Bind(wxEVT_BUTTON, &CSettingsSheetDialog::OnOk, this, wxID_OK);
}

// The first display loads the page's values from the project.
void CSettingsSheetDialog::ShowPage(int i) {
  if (i < 0 || i >= static_cast<int>(m_pages.size()) || m_sheet.IsDisplayed(i)) return;
  m_sheet.Display(i);
  m_pages[static_cast<size_t>(i)]->TransferDataToWindow();
}

// A page is left only with values it can take: what the user typed stays in its members meanwhile.
void CSettingsSheetDialog::OnPageChanging(wxBookCtrlEvent& event) {
  const int old = event.GetOldSelection();
  if (old < 0 || old >= static_cast<int>(m_pages.size())) return;
  CSettingsPagePanel* page = m_pages[static_cast<size_t>(old)];
  if (!page->Validate() || !page->TransferDataFromWindow()) event.Veto();
}

void CSettingsSheetDialog::OnPageChanged(wxBookCtrlEvent& event) { ShowPage(event.GetSelection()); }

void CSettingsSheetDialog::OnOk(wxCommandEvent&) {
  const int current = GetBookCtrl()->GetSelection();
  if (current >= 0 && current < static_cast<int>(m_pages.size())) {
    CSettingsPagePanel* page = m_pages[static_cast<size_t>(current)];
    if (!page->Validate() || !page->TransferDataFromWindow()) return;
  }
  EndModal(wxID_OK);
}
