#include "ui/dialogs/notify_settings_page.h"

#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/interaction.h"
#include "ui/dialogs/xrc_dialog.h"
#include "ui/wx_text.h"

CNotifyPagePanel::CNotifyPagePanel(wxWindow* parent, CNotifyPageValues& values, CInteraction& ui)
    : CSettingsPagePanel(parent, "NotifyPage"), m_values(values), m_ui(ui) {
  m_hubs = XrcControl<wxTextCtrl>(this, "notify_hubs");
  m_verifyUrl = XrcControl<wxCheckBox>(this, "notify_verify_url");
  for (const char* name : {"notify_hubs_hint", "notify_verify_hint"}) MakeSettingsHint(XrcControl<wxStaticText>(this, name));
  GetSizer()->SetSizeHints(this);
}

wxString CNotifyPagePanel::Label() const { return Wx("更新通知"); }

bool CNotifyPagePanel::TransferDataToWindow() {
  m_hubs->ChangeValue(ToWx(m_values.hubs));
  m_verifyUrl->SetValue(m_values.verifyUrl);
  return true;
}

bool CNotifyPagePanel::Validate() {
  if (IsHubListField(FromWx(m_hubs->GetValue()))) return true;
  m_ui.Show(NotAHubListMessage());
  m_hubs->SetFocus();
  return false;
}

bool CNotifyPagePanel::TransferDataFromWindow() {
  m_values.hubs = FromWx(m_hubs->GetValue());
  m_values.verifyUrl = m_verifyUrl->GetValue();
  return true;
}
