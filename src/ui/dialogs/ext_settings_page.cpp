#include "ui/dialogs/ext_settings_page.h"

#include <wx/checkbox.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/interaction.h"
#include "ui/dialogs/xrc_dialog.h"
#include "ui/wx_text.h"

CExtPagePanel::CExtPagePanel(wxWindow* parent, CExtPageValues& values, CInteraction& ui)
    : CSettingsPagePanel(parent, "ExtPage"), m_values(values), m_ui(ui) {
  m_language = XrcControl<wxTextCtrl>(this, "ext_language");
  m_siteImage = XrcControl<wxTextCtrl>(this, "ext_site_image");
  m_siteIcon = XrcControl<wxTextCtrl>(this, "ext_site_icon");
  m_selfLinks = XrcControl<wxCheckBox>(this, "ext_self_links");
  m_fullText = XrcControl<wxCheckBox>(this, "ext_full_text");
  m_itemImages = XrcControl<wxCheckBox>(this, "ext_item_images");
  m_holdFuture = XrcControl<wxCheckBox>(this, "ext_hold_future");
  for (const char* name : {"ext_language_hint", "ext_site_hint", "ext_item_images_hint"}) MakeSettingsHint(XrcControl<wxStaticText>(this, name));
  GetSizer()->SetSizeHints(this);
}

wxString CExtPagePanel::Label() const { return Wx("全般"); }

bool CExtPagePanel::TransferDataToWindow() {
  m_language->ChangeValue(ToWx(m_values.language));
  m_siteImage->ChangeValue(ToWx(m_values.siteImage));
  m_siteIcon->ChangeValue(ToWx(m_values.siteIcon));
  m_selfLinks->SetValue(m_values.selfLinks);
  m_fullText->SetValue(m_values.fullText);
  m_itemImages->SetValue(m_values.itemImages);
  m_holdFuture->SetValue(m_values.holdFuture);
  return true;
}

bool CExtPagePanel::Validate() {
  if (IsLanguageField(FromWx(m_language->GetValue()))) return true;
  m_ui.Show(NotALanguageTagMessage());
  m_language->SetFocus();
  m_language->SelectAll();
  return false;
}

bool CExtPagePanel::TransferDataFromWindow() {
  m_values.language = FromWx(m_language->GetValue());
  m_values.siteImage = FromWx(m_siteImage->GetValue());
  m_values.siteIcon = FromWx(m_siteIcon->GetValue());
  m_values.selfLinks = m_selfLinks->GetValue();
  m_values.fullText = m_fullText->GetValue();
  m_values.itemImages = m_itemImages->GetValue();
  m_values.holdFuture = m_holdFuture->GetValue();
  return true;
}
