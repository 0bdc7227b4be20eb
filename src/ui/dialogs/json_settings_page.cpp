#include "ui/dialogs/json_settings_page.h"

#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/interaction.h"
#include "app/settings_page_values.h"
#include "ui/dialogs/xrc_dialog.h"
#include "ui/wx_text.h"

CJsonPagePanel::CJsonPagePanel(wxWindow* parent, CJsonPageValues& values, CInteraction& ui)
    : CSettingsPagePanel(parent, "JsonPage"), m_values(values), m_ui(ui) {
  m_enabled = XrcControl<wxCheckBox>(this, "json_enabled");
  m_file = XrcControl<wxTextCtrl>(this, "json_file");
  m_count = XrcControl<wxTextCtrl>(this, "json_count");
  MakeSettingsHint(XrcControl<wxStaticText>(this, "json_hint"));
  GetSizer()->SetSizeHints(this);
}

wxString CJsonPagePanel::Label() const { return Wx("JSON Feed"); }

bool CJsonPagePanel::TransferDataToWindow() {
  m_enabled->SetValue(m_values.enabled);
  m_file->ChangeValue(ToWx(m_values.fileName));
  m_count->ChangeValue(wxString::Format("%d", m_values.count));
  return true;
}

bool CJsonPagePanel::Validate() {
  int count = 0;
  if (!ParseIntegerField(FromWx(m_count->GetValue()), count)) {
    m_ui.Show(NotAnIntegerMessage());
    m_count->SetFocus();
    m_count->SelectAll();
    return false;
  }
  if (m_enabled->GetValue() && m_file->GetValue().empty()) {
    m_ui.Show(JsonFileNameMissingMessage());
    m_file->SetFocus();
    return false;
  }
  return true;
}

bool CJsonPagePanel::TransferDataFromWindow() {
  int count = 0;
  if (!ParseIntegerField(FromWx(m_count->GetValue()), count)) return false;
  m_values.enabled = m_enabled->GetValue();
  m_values.fileName = FromWx(m_file->GetValue());
  m_values.count = count;
  return true;
}
