#include "ui/dialogs/ftp_profile_dialog.h"

#include <wx/choice.h>
#include <wx/settings.h>
#include <wx/textctrl.h>

#include "ui/dialogs/xrc_dialog.h"
#include "ui/wx_text.h"

CFtpProfileDialog::CFtpProfileDialog(wxWindow* parent, CFtpProfileChoice& choice) : m_choice(choice) {
  LoadXrcDialog(this, parent, "FtpProfileDialog");
  m_name = XrcControl<wxChoice>(this, "profile_name");
  m_host = XrcControl<wxTextCtrl>(this, "profile_host");
  m_user = XrcControl<wxTextCtrl>(this, "profile_user");
  m_localDir = XrcControl<wxTextCtrl>(this, "profile_local_dir");
  m_remoteDir = XrcControl<wxTextCtrl>(this, "profile_remote_dir");
  // Shown greyed as read-only boxes are, so that nobody tries to correct a value here.
  for (wxTextCtrl* field : {m_host, m_user, m_localDir, m_remoteDir}) {
    field->SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));
  }
  for (const CFtpProfileEntry& profile : choice.profiles) m_name->Append(ToWx(profile.name));
  m_name->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { ShowProfile(m_name->GetSelection()); });
  Fit();
  CentreOnParent();
}

bool CFtpProfileDialog::TransferDataToWindow() {
  const int count = static_cast<int>(m_choice.profiles.size());
  const int index = m_choice.selected >= 0 && m_choice.selected < count ? m_choice.selected : (count > 0 ? 0 : -1);
  m_name->SetSelection(index);
  ShowProfile(index);
  return true;
}

bool CFtpProfileDialog::TransferDataFromWindow() {
  m_choice.selected = m_name->GetSelection();
  return m_choice.selected != wxNOT_FOUND;
}

void CFtpProfileDialog::ShowProfile(int index) {
  const bool valid = index >= 0 && index < static_cast<int>(m_choice.profiles.size());
  const CFtpProfileEntry shown = valid ? m_choice.profiles[static_cast<size_t>(index)] : CFtpProfileEntry();
  m_host->ChangeValue(ToWx(shown.host));
  m_user->ChangeValue(ToWx(shown.user));
  m_localDir->ChangeValue(ToWx(shown.localDir));
  m_remoteDir->ChangeValue(ToWx(shown.remoteDir));
}
