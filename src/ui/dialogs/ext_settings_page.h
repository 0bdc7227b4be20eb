// "拡張": the settings page of the project's extensions, over CExtPageValues.
#pragma once

#include "ui/dialogs/settings_pages.h"

class CExtPagePanel : public CSettingsPagePanel {
public:
  CExtPagePanel(wxWindow* parent, CExtPageValues& values, CInteraction& ui);
  wxString Label() const override;
  bool TransferDataToWindow() override;
  // The language must be a language tag: "言語タグを入力してください。...", and the field gets the focus.
  bool Validate() override;
  bool TransferDataFromWindow() override;

private:
  CExtPageValues& m_values;
  CInteraction& m_ui;
  wxTextCtrl* m_language;
  wxTextCtrl* m_siteImage;
  wxTextCtrl* m_siteIcon;
  wxCheckBox* m_selfLinks;
  wxCheckBox* m_fullText;
  wxCheckBox* m_itemImages;
  wxCheckBox* m_holdFuture;
};
