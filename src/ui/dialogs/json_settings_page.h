// "JSON Feed": the settings page of the project's JSON Feed, over CJsonPageValues.
#pragma once

#include "ui/dialogs/settings_pages.h"

class CJsonPagePanel : public CSettingsPagePanel {
public:
  CJsonPagePanel(wxWindow* parent, CJsonPageValues& values, CInteraction& ui);
  wxString Label() const override;
  bool TransferDataToWindow() override;
  // The count must be a whole number, and a feed switched on needs a file name.
  bool Validate() override;
  bool TransferDataFromWindow() override;

private:
  CJsonPageValues& m_values;
  CInteraction& m_ui;
  wxCheckBox* m_enabled;
  wxTextCtrl* m_file;
  wxTextCtrl* m_count;
};
