// The Options dialog "設定": the application's own options over the values the Options command
// filled (app/options_model.h). OK checks the list height; the command stores.
#pragma once

#include <wx/dialog.h>

#include "app/options_model.h"

class CInteraction;
class wxCheckBox;
class wxStaticText;
class wxTextCtrl;

class COptionsDialog : public wxDialog {
public:
  COptionsDialog(wxWindow* parent, COptionValues& values, CInteraction& ui);

  bool TransferDataToWindow() override;
  // The list height must be an integer from 1 to 99; otherwise the message and the dialog stays.
  bool Validate() override;
  bool TransferDataFromWindow() override;

private:
  void BrowseProgram(wxTextCtrl* field, const char* title);
  void ShowNotes();  // what the program fields' texts mean

  COptionValues& m_values;
  CInteraction& m_ui;
  wxCheckBox* m_openLastFile;
  wxTextCtrl* m_listHeight;
  wxTextCtrl* m_htmlEditor;
  wxTextCtrl* m_rssViewer;
  wxStaticText* m_htmlEditorNote;
  wxStaticText* m_rssViewerNote;
  wxTextCtrl* m_startTag;
  wxTextCtrl* m_endTag;
};
