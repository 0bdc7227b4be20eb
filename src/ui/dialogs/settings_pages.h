// The project's settings pages as panels: each binds the members of its values (app/settings_page_values.h)
// to its controls. The sheet or wizard around them decides when they load and store.
#pragma once

#include <wx/panel.h>

#include <memory>
#include <string>

#include "app/settings_page_values.h"
#include "app/settings_sheet.h"

class CInteraction;
class wxCheckBox;
class wxChoice;
class wxStaticText;
class wxTextCtrl;

// Notes under a field: smaller and grey, so they read as help rather than as a label.
void MakeSettingsHint(wxStaticText* hint);
// Appends the entries (internal text) to a choice.
void FillChoice(wxChoice* choice, const std::vector<std::string>& entries);
// Selects the entry; a stored index outside the list (a damaged project file) selects nothing rather
// than a wrong entry.
void SelectChoice(wxChoice* choice, int index);

// A page: TransferDataToWindow shows the values, Validate checks what the user typed (and says what
// is wrong), TransferDataFromWindow takes the controls into the values.
class CSettingsPagePanel : public wxPanel {
public:
  // The label of its tab ("サイト情報", "ファイル", ...) or of its entry in the list on the tab "拡張" ("全般", ...).
  virtual wxString Label() const = 0;

protected:
  CSettingsPagePanel(wxWindow* parent, const char* resource);
};

// The page of `kind` over the sheet's values for it.
CSettingsPagePanel* CreateSettingsPage(wxWindow* parent, SettingsPage kind, CSettingsSheet& sheet, CInteraction& ui);

class CSitePagePanel : public CSettingsPagePanel {
public:
  CSitePagePanel(wxWindow* parent, CSitePageValues& values);
  wxString Label() const override;
  bool TransferDataToWindow() override;
  bool TransferDataFromWindow() override;

private:
  CSitePageValues& m_values;
  wxTextCtrl* m_title;
  wxTextCtrl* m_url;
  wxTextCtrl* m_description;
  wxTextCtrl* m_creator;
};

class CDirPagePanel : public CSettingsPagePanel {
public:
  CDirPagePanel(wxWindow* parent, CDirPageValues& values, CInteraction& ui);
  wxString Label() const override;
  bool TransferDataToWindow() override;
  bool TransferDataFromWindow() override;

private:
  void OnBrowse(wxCommandEvent& event);

  CDirPageValues& m_values;
  CInteraction& m_ui;
  wxTextCtrl* m_folder;
  wxChoice* m_importMode;
};

// "RSS" and "Atom": the same controls over different fields and version entries.
class CFeedPagePanel : public CSettingsPagePanel {
public:
  CFeedPagePanel(wxWindow* parent, CFeedPageValues& values, bool atom, CInteraction& ui);
  wxString Label() const override;
  bool TransferDataToWindow() override;
  // The output count must be an integer: "整数を入力してください。", and the field gets the focus.
  bool Validate() override;
  bool TransferDataFromWindow() override;

private:
  CFeedPageValues& m_values;
  bool m_atom;
  CInteraction& m_ui;
  wxTextCtrl* m_file;
  wxChoice* m_version;
  wxTextCtrl* m_count;
  wxChoice* m_mode;
};

class CFtpPagePanel : public CSettingsPagePanel {
public:
  CFtpPagePanel(wxWindow* parent, CFtpPageValues& values, CInteraction& ui);
  wxString Label() const override;
  bool TransferDataToWindow() override;
  bool TransferDataFromWindow() override;

private:
  void OnProfiles(wxCommandEvent& event);

  CFtpPageValues& m_values;
  CInteraction& m_ui;
  wxTextCtrl* m_host;
  wxTextCtrl* m_user;
  wxTextCtrl* m_password;
  wxTextCtrl* m_remoteDir;
  wxCheckBox* m_passive;
};

// "完了": the wizard's closing words.
class CFinishPagePanel : public CSettingsPagePanel {
public:
  explicit CFinishPagePanel(wxWindow* parent);
  wxString Label() const override;
  bool TransferDataToWindow() override { return true; }
  bool TransferDataFromWindow() override { return true; }
};
