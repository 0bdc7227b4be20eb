#include "ui/dialogs/settings_pages.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/xrc/xmlres.h>

#include "app/ftp_profile_chooser.h"
#include "app/interaction.h"
#include "ui/dialogs/ext_settings_page.h"
#include "ui/dialogs/json_settings_page.h"
#include "ui/dialogs/ftp_profile_dialog.h"
#include "ui/dialogs/notify_settings_page.h"
#include "ui/dialogs/podcast_settings_page.h"
#include "ui/dialogs/section_settings_page.h"
#include "ui/dialogs/xrc_dialog.h"
#include "ui/wx_text.h"

namespace {

// Nothing selected keeps the value the page was loaded with.
void TakeSelection(const wxChoice* choice, int& index) {
  if (choice->GetSelection() != wxNOT_FOUND) index = choice->GetSelection();
}

}  // namespace

void FillChoice(wxChoice* choice, const std::vector<std::string>& entries) {
  for (const std::string& entry : entries) choice->Append(ToWx(entry));
}

void SelectChoice(wxChoice* choice, int index) {
  choice->SetSelection(index >= 0 && index < static_cast<int>(choice->GetCount()) ? index : wxNOT_FOUND);
}

void MakeSettingsHint(wxStaticText* hint) {
  hint->SetFont(hint->GetFont().Smaller());
  hint->SetForegroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT));
}

CSettingsPagePanel::CSettingsPagePanel(wxWindow* parent, const char* resource) {
  const bool loaded = wxXmlResource::Get()->LoadPanel(this, parent, resource);
  wxASSERT_MSG(loaded, resource);
  (void)loaded;
}

CSettingsPagePanel* CreateSettingsPage(wxWindow* parent, SettingsPage kind, CSettingsSheet& sheet, CInteraction& ui) {
  switch (kind) {
    case SettingsPage::kSite: return new CSitePagePanel(parent, sheet.site);
    case SettingsPage::kDir: return new CDirPagePanel(parent, sheet.dir, ui);
    case SettingsPage::kRss: return new CFeedPagePanel(parent, sheet.rss, false, ui);
    case SettingsPage::kAtom: return new CFeedPagePanel(parent, sheet.atom, true, ui);
    case SettingsPage::kFtp: return new CFtpPagePanel(parent, sheet.ftp, ui);
    case SettingsPage::kExt: return new CExtPagePanel(parent, sheet.ext, ui);
    case SettingsPage::kJson: return new CJsonPagePanel(parent, sheet.json, ui);
    case SettingsPage::kNotify: return new CNotifyPagePanel(parent, sheet.notify, ui);
    case SettingsPage::kSections: return new CSectionPagePanel(parent, sheet.sections, ui);
    case SettingsPage::kPodcast: return new CPodcastPagePanel(parent, sheet.podcast, ui);
    case SettingsPage::kFinish: break;
  }
  return new CFinishPagePanel(parent);
}

// --- "サイト情報"

CSitePagePanel::CSitePagePanel(wxWindow* parent, CSitePageValues& values)
    : CSettingsPagePanel(parent, "SitePage"), m_values(values) {
  m_title = XrcControl<wxTextCtrl>(this, "site_title");
  m_url = XrcControl<wxTextCtrl>(this, "site_url");
  m_description = XrcControl<wxTextCtrl>(this, "site_description");
  m_creator = XrcControl<wxTextCtrl>(this, "site_creator");
}

wxString CSitePagePanel::Label() const { return Wx("サイト情報"); }

bool CSitePagePanel::TransferDataToWindow() {
  m_title->ChangeValue(ToWx(m_values.title));
  m_url->ChangeValue(ToWx(m_values.url));
  m_description->ChangeValue(ToWx(m_values.description));
  m_creator->ChangeValue(ToWx(m_values.creator));
  return true;
}

bool CSitePagePanel::TransferDataFromWindow() {
  m_values.title = FromWx(m_title->GetValue());
  m_values.url = FromWx(m_url->GetValue());
  m_values.description = FromWx(m_description->GetValue());
  m_values.creator = FromWx(m_creator->GetValue());
  return true;
}

// --- "ファイル"

CDirPagePanel::CDirPagePanel(wxWindow* parent, CDirPageValues& values, CInteraction& ui)
    : CSettingsPagePanel(parent, "DirPage"), m_values(values), m_ui(ui) {
  m_folder = XrcControl<wxTextCtrl>(this, "local_folder");
  m_importMode = XrcControl<wxChoice>(this, "import_mode");
  FillChoice(m_importMode, ImportModeEntries());
  // The notes wrap to the width of the folder row rather than widening the page.
  const int width = m_folder->GetBestSize().GetWidth() + XrcControl<wxButton>(this, "browse_folder")->GetBestSize().GetWidth();
  XrcControl<wxStaticText>(this, "folder_note")->Wrap(width);
  XrcControl<wxStaticText>(this, "import_note")->Wrap(width);
  GetSizer()->SetSizeHints(this);
  Bind(wxEVT_BUTTON, &CDirPagePanel::OnBrowse, this, XRCID("browse_folder"));
}

wxString CDirPagePanel::Label() const { return Wx("ファイル"); }

bool CDirPagePanel::TransferDataToWindow() {
  m_folder->ChangeValue(ToWx(m_values.localFolder));
  SelectChoice(m_importMode, m_values.importMode);
  return true;
}

bool CDirPagePanel::TransferDataFromWindow() {
  m_values.localFolder = FromWx(m_folder->GetValue());
  TakeSelection(m_importMode, m_values.importMode);
  return true;
}

// "参照(&B)...": the folder chooser with its default heading, starting from the folder in the field.
void CDirPagePanel::OnBrowse(wxCommandEvent&) {
  std::string folder;
  if (m_ui.ChooseFolder(std::string(), FromWx(m_folder->GetValue()), folder)) m_folder->SetValue(ToWx(folder));
}

// --- "RSS" and "Atom"

CFeedPagePanel::CFeedPagePanel(wxWindow* parent, CFeedPageValues& values, bool atom, CInteraction& ui)
    : CSettingsPagePanel(parent, "FeedPage"), m_values(values), m_atom(atom), m_ui(ui) {
  m_file = XrcControl<wxTextCtrl>(this, "feed_file");
  m_version = XrcControl<wxChoice>(this, "feed_version");
  m_count = XrcControl<wxTextCtrl>(this, "feed_count");
  m_mode = XrcControl<wxChoice>(this, "feed_mode");
  FillChoice(m_version, atom ? AtomVersionEntries() : RssVersionEntries());
  FillChoice(m_mode, FeedModeEntries());
  GetSizer()->SetSizeHints(this);
}

wxString CFeedPagePanel::Label() const { return m_atom ? Wx("Atom") : Wx("RSS"); }

bool CFeedPagePanel::TransferDataToWindow() {
  m_file->ChangeValue(ToWx(m_values.fileName));
  SelectChoice(m_version, m_values.version);
  m_count->ChangeValue(wxString::Format("%d", m_values.count));
  SelectChoice(m_mode, m_values.mode);
  return true;
}

bool CFeedPagePanel::Validate() {
  int count = 0;
  if (ParseIntegerField(FromWx(m_count->GetValue()), count)) return true;
  m_ui.Show(NotAnIntegerMessage());
  m_count->SetFocus();
  m_count->SelectAll();
  return false;
}

bool CFeedPagePanel::TransferDataFromWindow() {
  int count = 0;
  if (!ParseIntegerField(FromWx(m_count->GetValue()), count)) return false;
  m_values.fileName = FromWx(m_file->GetValue());
  TakeSelection(m_version, m_values.version);
  m_values.count = count;
  TakeSelection(m_mode, m_values.mode);
  return true;
}

// --- "ftp設定"

CFtpPagePanel::CFtpPagePanel(wxWindow* parent, CFtpPageValues& values, CInteraction& ui)
    : CSettingsPagePanel(parent, "FtpPage"), m_values(values), m_ui(ui) {
  m_host = XrcControl<wxTextCtrl>(this, "ftp_host");
  m_user = XrcControl<wxTextCtrl>(this, "ftp_user");
  m_password = XrcControl<wxTextCtrl>(this, "ftp_password");
  m_remoteDir = XrcControl<wxTextCtrl>(this, "ftp_remote_dir");
  m_passive = XrcControl<wxCheckBox>(this, "ftp_passive");
  MakeSettingsHint(XrcControl<wxStaticText>(this, "ftp_host_hint"));
  GetSizer()->SetSizeHints(this);
  Bind(wxEVT_BUTTON, &CFtpPagePanel::OnProfiles, this, XRCID("ftp_profiles"));
}

wxString CFtpPagePanel::Label() const { return Wx("ftp設定"); }

bool CFtpPagePanel::TransferDataToWindow() {
  m_host->ChangeValue(ToWx(m_values.host));
  m_user->ChangeValue(ToWx(m_values.user));
  m_password->ChangeValue(ToWx(m_values.password));
  m_remoteDir->ChangeValue(ToWx(m_values.remoteDir));
  m_passive->SetValue(m_values.passive != 0);
  return true;
}

bool CFtpPagePanel::TransferDataFromWindow() {
  m_values.host = FromWx(m_host->GetValue());
  m_values.user = FromWx(m_user->GetValue());
  m_values.password = FromWx(m_password->GetValue());
  m_values.remoteDir = FromWx(m_remoteDir->GetValue());
  // A stored passive value other than 0 and 1 stays as it was while the box stays ticked.
  if (m_passive->GetValue() != (m_values.passive != 0)) m_values.passive = m_passive->GetValue() ? 1 : 0;
  return true;
}

// "Marrowpadの設定から参照...": the chosen profile's values go into the fields; the page stores them later.
void CFtpPagePanel::OnProfiles(wxCommandEvent&) {
  TransferDataFromWindow();
  CFtpProfileChoice choice;
  choice.Load();
  CFtpProfileDialog dialog(wxGetTopLevelParent(this), choice);
  if (dialog.ShowModal() == wxID_OK && choice.ApplyTo(m_values)) TransferDataToWindow();
}

// --- "完了"

CFinishPagePanel::CFinishPagePanel(wxWindow* parent) : CSettingsPagePanel(parent, "FinishPage") {}

wxString CFinishPagePanel::Label() const { return Wx("完了"); }
