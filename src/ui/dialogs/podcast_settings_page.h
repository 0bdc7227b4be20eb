// "ポッドキャスト": the settings page of the project's podcast, over CPodcastPageValues.
#pragma once

#include "ui/dialogs/settings_pages.h"

class wxChoice;

class CPodcastPagePanel : public CSettingsPagePanel {
public:
  CPodcastPagePanel(wxWindow* parent, CPodcastPageValues& values, CInteraction& ui);
  wxString Label() const override;
  bool TransferDataToWindow() override;
  // The owner's e-mail address and the image URL, when given, must be sound; else the message, and the
  // field gets the focus.
  bool Validate() override;
  bool TransferDataFromWindow() override;

private:
  CPodcastPageValues& m_values;
  CInteraction& m_ui;
  wxCheckBox* m_enabled;
  wxTextCtrl* m_author;
  wxTextCtrl* m_ownerEmail;
  wxChoice* m_category;
  wxChoice* m_explicit;
  wxTextCtrl* m_image;
  wxChoice* m_type;
  wxCheckBox* m_locked;
};
