#include "ui/dialogs/settings_sheet_dialog.h"

#include <wx/bookctrl.h>

#include "app/ftp_profile_mode.h"
#include "ui/dialogs/settings_pages.h"
#include "ui/dialogs/xrc_dialog.h"
#include "ui/wx_text.h"

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
  UseTranslatedCancelLabel(this);
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
// GTK switches the page even when the change is vetoed, so the page is brought back afterwards, and the
// page that flashed up meanwhile is not counted as displayed.
void CSettingsSheetDialog::OnPageChanging(wxBookCtrlEvent& event) {
  const int old = event.GetOldSelection();
  if (m_refused >= 0 || old < 0 || old >= static_cast<int>(m_pages.size())) return;
  if (TakePage(old)) return;
  event.Veto();
  m_refused = old;
  wxWindow* focus = wxWindow::FindFocus();
  CallAfter([this, focus] {
    const int page = m_refused;
    m_refused = -1;
    if (GetBookCtrl()->GetSelection() != page) GetBookCtrl()->ChangeSelection(static_cast<size_t>(page));
    if (focus) focus->SetFocus();
  });
}

void CSettingsSheetDialog::OnPageChanged(wxBookCtrlEvent& event) {
  if (m_refused < 0) ShowPage(event.GetSelection());
}

bool CSettingsSheetDialog::TakePage(int i) {
  CSettingsPagePanel* page = m_pages[static_cast<size_t>(i)];
  return page->Validate() && page->TransferDataFromWindow();
}

// Every page displayed must take its values, the current one first; a page that cannot is shown.
void CSettingsSheetDialog::OnOk(wxCommandEvent&) {
  if (m_refused >= 0) return;
  const int current = GetBookCtrl()->GetSelection();
  if (current >= 0 && current < static_cast<int>(m_pages.size()) && !TakePage(current)) return;
  for (int i = 0; i < static_cast<int>(m_pages.size()); ++i) {
    if (i == current || !m_sheet.IsDisplayed(i) || TakePage(i)) continue;
    GetBookCtrl()->ChangeSelection(static_cast<size_t>(i));
    return;
  }
  EndModal(wxID_OK);
}

bool RunSiteSettings(wxWindow* parent, CRssFile& project, CInteraction& ui) {
  CSettingsSheet sheet = CSettingsSheet::SiteSettings(project);
  CSettingsSheetDialog dialog(parent, Wx("サイトの設定"), sheet, ui);
  if (dialog.ShowModal() != wxID_OK) return false;
  sheet.StoreDisplayed();
  return true;
}

bool RunFtpProfileMode(wxWindow* parent, CRssFile& project, CInteraction& ui) {
  CSettingsSheet sheet(nullptr, {SettingsPage::kFtp});
  sheet.ftp = FtpProfileModeValues(project);
  CSettingsSheetDialog dialog(parent, Wx("ftp転送"), sheet, ui);
  if (dialog.ShowModal() != wxID_OK) return false;
  sheet.ftp.Store(project);
  return true;
}
