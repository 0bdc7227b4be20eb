#include "ui/dialogs/settings_sheet_dialog.h"

#include <wx/bookctrl.h>
#include <wx/treebook.h>
#include <wx/treectrl.h>

#include "app/ftp_profile_mode.h"
#include "ui/dialogs/settings_pages.h"
#include "ui/dialogs/xrc_dialog.h"
#include "ui/wx_text.h"

namespace {

// The pages beyond the classic five, gathered on the tab "拡張" so that every tab fits the sheet's width.
bool IsExtensionPage(SettingsPage kind) {
  switch (kind) {
    case SettingsPage::kExt:
    case SettingsPage::kJson:
    case SettingsPage::kNotify:
    case SettingsPage::kSections:
    case SettingsPage::kPodcast: return true;
    default: return false;
  }
}

// The list of pages on "拡張": its entries flat at the left edge, without the room of a tree's buttons.
wxTreebook* NewPageList(wxWindow* parent) {
  auto* book = new wxTreebook(parent, wxID_ANY);
  wxTreeCtrl* tree = book->GetTreeCtrl();
  tree->SetWindowStyle(wxTR_NO_BUTTONS | wxTR_NO_LINES | wxTR_HIDE_ROOT | wxTR_SINGLE | wxTR_FULL_ROW_HIGHLIGHT);
  tree->SetIndent(0);
  tree->SetSpacing(4);
  return book;
}

}  // namespace

CSettingsSheetDialog::CSettingsSheetDialog(wxWindow* parent, const wxString& title, CSettingsSheet& sheet, CInteraction& ui)
    : m_sheet(sheet) {
  Create(parent, wxID_ANY, title);
  wxBookCtrlBase* book = GetBookCtrl();
  for (int i = 0; i < sheet.GetPageCount(); ++i) {
    const SettingsPage kind = sheet.GetPage(i);
    if (!IsExtensionPage(kind)) {
      CSettingsPagePanel* page = CreateSettingsPage(book, kind, sheet, ui);
      m_places.push_back({static_cast<int>(book->GetPageCount()), -1});
      m_pages.push_back(page);
      book->AddPage(page, page->Label());
      continue;
    }
    if (!m_extBook) {
      m_extBook = NewPageList(book);
      m_extTab = static_cast<int>(book->GetPageCount());
      book->AddPage(m_extBook, Wx("拡張"));
    }
    CSettingsPagePanel* page = CreateSettingsPage(m_extBook, kind, sheet, ui);
    m_places.push_back({m_extTab, static_cast<int>(m_extBook->GetPageCount())});
    m_pages.push_back(page);
    m_extBook->AddPage(page, page->Label());
  }
  CreateButtons(wxOK | wxCANCEL);
  UseTranslatedCancelLabel(this);
  LayoutDialog();
  ShowPage(0);
  book->Bind(wxEVT_NOTEBOOK_PAGE_CHANGING, &CSettingsSheetDialog::OnPageChanging, this);
  book->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, &CSettingsSheetDialog::OnPageChanged, this);
  if (m_extBook) {
    m_extBook->Bind(wxEVT_TREEBOOK_PAGE_CHANGING, &CSettingsSheetDialog::OnPageChanging, this);
    m_extBook->Bind(wxEVT_TREEBOOK_PAGE_CHANGED, &CSettingsSheetDialog::OnPageChanged, this);
  }
  Bind(wxEVT_BUTTON, &CSettingsSheetDialog::OnOk, this, wxID_OK);
  Bind(wxEVT_CHAR_HOOK, &CSettingsSheetDialog::OnCharHook, this);
}

int CSettingsSheetDialog::PageAt(const wxBookCtrlBase* book, int selection) const {
  Place place{selection, -1};
  if (book == m_extBook) {
    place = {m_extTab, selection};
  } else if (selection >= 0 && selection == m_extTab) {
    place.entry = m_extBook->GetSelection();
  }
  for (size_t i = 0; i < m_places.size(); ++i) {
    if (m_places[i].tab == place.tab && m_places[i].entry == place.entry) return static_cast<int>(i);
  }
  return -1;
}

int CSettingsSheetDialog::CurrentPage() const { return PageAt(GetBookCtrl(), GetBookCtrl()->GetSelection()); }

// The first display loads the page's values from the project.
void CSettingsSheetDialog::ShowPage(int i) {
  if (i < 0 || i >= static_cast<int>(m_pages.size()) || m_sheet.IsDisplayed(i)) return;
  m_sheet.Display(i);
  m_pages[static_cast<size_t>(i)]->TransferDataToWindow();
}

void CSettingsSheetDialog::Reveal(int i) {
  const Place place = m_places[static_cast<size_t>(i)];
  if (place.entry >= 0) m_extBook->ChangeSelection(static_cast<size_t>(place.entry));
  GetBookCtrl()->ChangeSelection(static_cast<size_t>(place.tab));
}

// A page is left only with values it can take, whether the user picks another tab or another entry of
// the list on "拡張": what the user typed stays in its members meanwhile. GTK switches the tab even when
// the change is vetoed, so the page is brought back afterwards, and the page that flashed up meanwhile
// is not counted as displayed.
void CSettingsSheetDialog::OnPageChanging(wxBookCtrlEvent& event) {
  auto* book = static_cast<wxBookCtrlBase*>(event.GetEventObject());
  const int old = PageAt(book, event.GetOldSelection());
  if (m_refusedBook || old < 0) return;
  if (TakePage(old)) return;
  event.Veto();
  m_refusedBook = book;
  m_refused = event.GetOldSelection();
  wxWindow* focus = wxWindow::FindFocus();
  CallAfter([this, focus] {
    wxBookCtrlBase* refused = m_refusedBook;
    m_refusedBook = nullptr;
    if (refused->GetSelection() != m_refused) refused->ChangeSelection(static_cast<size_t>(m_refused));
    if (focus) focus->SetFocus();
  });
}

void CSettingsSheetDialog::OnPageChanged(wxBookCtrlEvent& event) {
  if (!m_refusedBook) ShowPage(PageAt(static_cast<wxBookCtrlBase*>(event.GetEventObject()), event.GetSelection()));
}

// Ctrl+Tab and Ctrl+Shift+Tab step through the tabs as Ctrl+PageDown and Ctrl+PageUp do, from any page
// (GTK leaves them to the focus chain), and the focus goes along into the tab shown.
void CSettingsSheetDialog::OnCharHook(wxKeyEvent& event) {
  if (event.GetKeyCode() != WXK_TAB || !event.ControlDown() || event.AltDown()) {
    event.Skip();
    return;
  }
  wxBookCtrlBase* book = GetBookCtrl();
  const int before = book->GetSelection();
  book->AdvanceSelection(!event.ShiftDown());
  if (book->GetSelection() != before) book->GetCurrentPage()->SetFocus();
}

bool CSettingsSheetDialog::TakePage(int i) {
  CSettingsPagePanel* page = m_pages[static_cast<size_t>(i)];
  return page->Validate() && page->TransferDataFromWindow();
}

// Every page displayed must take its values, the current one first; a page that cannot is shown, with
// its tab and its entry of the list.
void CSettingsSheetDialog::OnOk(wxCommandEvent&) {
  if (m_refusedBook) return;
  const int current = CurrentPage();
  if (current >= 0 && !TakePage(current)) return;
  for (int i = 0; i < static_cast<int>(m_pages.size()); ++i) {
    if (i == current || !m_sheet.IsDisplayed(i) || TakePage(i)) continue;
    Reveal(i);
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
