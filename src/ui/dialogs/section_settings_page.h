// "セクション": the settings page that lists the project's sections, over CSectionPageValues, and the
// editor of one section over CSectionEditValues.
#pragma once

#include <wx/dialog.h>

#include "ui/dialogs/settings_pages.h"

class wxChoice;
class wxListCtrl;

class CSectionEditDialog : public wxDialog {
public:
  CSectionEditDialog(wxWindow* parent, const CSectionEditValues& values, CInteraction& ui);
  bool TransferDataToWindow() override;
  // A name and a category or folder are needed; else the message, and that field gets the focus.
  bool Validate() override;
  bool TransferDataFromWindow() override;
  const CSectionEditValues& Values() const { return m_values; }

private:
  CSectionEditValues Gather() const;

  CSectionEditValues m_values;
  CInteraction& m_ui;
  wxTextCtrl* m_name;
  wxChoice* m_rule;
  wxTextCtrl* m_value;
  wxTextCtrl* m_rss;
  wxTextCtrl* m_atom;
  wxTextCtrl* m_json;
  wxTextCtrl* m_title;
};

class CSectionPagePanel : public CSettingsPagePanel {
public:
  CSectionPagePanel(wxWindow* parent, CSectionPageValues& values, CInteraction& ui);
  wxString Label() const override;
  bool TransferDataToWindow() override;
  // Names and file names used twice are refused with the message.
  bool Validate() override;
  bool TransferDataFromWindow() override { return true; }

private:
  void Fill(long select);
  long Selected() const;
  void Edit(long row);  // -1: a new section
  void Delete();

  CSectionPageValues& m_values;
  CInteraction& m_ui;
  wxListCtrl* m_list;
};
