// "更新通知": the settings page of what follows an upload, over CNotifyPageValues.
#pragma once

#include "ui/dialogs/settings_pages.h"

class CNotifyPagePanel : public CSettingsPagePanel {
public:
  CNotifyPagePanel(wxWindow* parent, CNotifyPageValues& values, CInteraction& ui);
  wxString Label() const override;
  bool TransferDataToWindow() override;
  // Every hub must be an http or https URL; else the message, and the field gets the focus.
  bool Validate() override;
  bool TransferDataFromWindow() override;

private:
  CNotifyPageValues& m_values;
  CInteraction& m_ui;
  wxTextCtrl* m_hubs;
  wxCheckBox* m_verifyUrl;
};
