// The folder scan's two small list dialogs over a copy of their list: "除外ファイル" (the excluded
// files or folders: "追加(&A)...", "削除(&D)...") and "拡張子" (the page extensions: "追加(&A)...",
// "編集(&E)...", "削除(&D)..."). The buttons call the list's operations; OK and Cancel end the dialog
// and the caller applies the list after OK.
#pragma once

#include <wx/dialog.h>

#include <string>
#include <vector>

class CEditableList;
class CExclusionListEdit;
class CExtensionListEdit;
class CInteraction;
class wxButton;
class wxListBox;

class CListEditDialog : public wxDialog {
protected:
  CListEditDialog(wxWindow* parent, const char* resource, CEditableList& list);

  // The entries into the list box, the list's selection shown, the buttons that need one enabled.
  void ShowEntries();

  CEditableList& m_list;
  wxListBox* m_box;
  std::vector<wxButton*> m_needSelection;
};

class CExclusionListDialog : public CListEditDialog {
public:
  CExclusionListDialog(wxWindow* parent, CExclusionListEdit& list, CInteraction& ui);
};

class CExtensionDialog : public CListEditDialog {
public:
  CExtensionDialog(wxWindow* parent, CExtensionListEdit& list, CInteraction& ui);

private:
  // The input dialog "追加する拡張子を入力してください", starting from `start`; false when cancelled.
  bool AskExtension(const std::string& start, std::string& answer);
  void EditSelected();

  CExtensionListEdit& m_extensions;
};
