#include "ui/dialogs/list_edit_dialogs.h"

#include <wx/button.h>
#include <wx/listbox.h>

#include "app/exclusion_list_edit.h"
#include "app/extension_list_edit.h"
#include "ui/dialogs/dialog_size.h"
#include "ui/dialogs/small_dialogs.h"
#include "ui/dialogs/xrc_dialog.h"
#include "ui/wx_text.h"

CListEditDialog::CListEditDialog(wxWindow* parent, const char* resource, CEditableList& list) : m_list(list) {
  LoadXrcDialog(this, parent, resource);
  m_box = XrcControl<wxListBox>(this, "entries");
  m_box->Bind(wxEVT_LISTBOX, [this](wxCommandEvent&) {
    m_list.Select(m_box->GetSelection());
    ShowEntries();
  });
}

void CListEditDialog::ShowEntries() {
  wxArrayString entries;
  for (const std::string& entry : m_list.Entries()) entries.Add(ToWx(entry));
  if (m_box->GetStrings() != entries) m_box->Set(entries);
  const int selected = m_list.GetSelection();
  if (selected >= 0) {
    m_box->SetSelection(selected);
    m_box->EnsureVisible(selected);
  } else {
    m_box->SetSelection(wxNOT_FOUND);
  }
  for (wxButton* button : m_needSelection) button->Enable(selected >= 0);
}

CExclusionListDialog::CExclusionListDialog(wxWindow* parent, CExclusionListEdit& list, CInteraction& ui)
    : CListEditDialog(parent, "ExclusionListDialog", list) {
  m_needSelection.push_back(XrcControl<wxButton>(this, "remove"));
  Bind(wxEVT_BUTTON, [this, &list, &ui](wxCommandEvent&) {
    if (list.Add(ui)) ShowEntries();
  }, XRCID("add"));
  Bind(wxEVT_BUTTON, [this, &list, &ui](wxCommandEvent&) {
    if (list.Remove(ui)) ShowEntries();
  }, XRCID("remove"));
  ShowEntries();
  FitDialog(this);
  CentreOnParent();
}

CExtensionDialog::CExtensionDialog(wxWindow* parent, CExtensionListEdit& list, CInteraction& ui)
    : CListEditDialog(parent, "ExtensionDialog", list), m_extensions(list) {
  m_needSelection.push_back(XrcControl<wxButton>(this, "edit"));
  m_needSelection.push_back(XrcControl<wxButton>(this, "remove"));
  Bind(wxEVT_BUTTON, [this, &list](wxCommandEvent&) {
    std::string answer;
    if (AskExtension(std::string(), answer) && list.Add(answer)) ShowEntries();
  }, XRCID("add"));
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EditSelected(); }, XRCID("edit"));
  Bind(wxEVT_BUTTON, [this, &list, &ui](wxCommandEvent&) {
    if (list.Remove(ui)) ShowEntries();
  }, XRCID("remove"));
  // A double-click on an entry edits it.
  m_box->Bind(wxEVT_LISTBOX_DCLICK, [this, &list](wxCommandEvent&) {
    list.Select(m_box->GetSelection());
    EditSelected();
  });
  ShowEntries();
  FitDialog(this);
  CentreOnParent();
}

bool CExtensionDialog::AskExtension(const std::string& start, std::string& answer) {
  CInputDialog dialog(this, CExtensionListEdit::PromptText(), start);
  if (dialog.ShowModal() != wxID_OK) return false;
  answer = dialog.Value();
  return true;
}

void CExtensionDialog::EditSelected() {
  std::string answer;
  if (m_extensions.CanEdit() && AskExtension(m_extensions.EditStart(), answer) && m_extensions.Edit(answer)) ShowEntries();
}
