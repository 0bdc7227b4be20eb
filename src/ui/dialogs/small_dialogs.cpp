#include "ui/dialogs/small_dialogs.h"

#include <wx/combobox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/item_editor.h"
#include "ui/dialogs/dialog_size.h"
#include "ui/dialogs/xrc_dialog.h"
#include "ui/wx_text.h"

CCategoryDialog::CCategoryDialog(wxWindow* parent, const CRssFile& project, const std::string& category)
    : m_category(category) {
  LoadXrcDialog(this, parent, "CategoryDialog");
  m_combo = XrcControl<wxComboBox>(this, "category");
  for (const std::string& name : EditorCategories(project)) m_combo->Append(ToWx(name));
  FitDialog(this);
  CentreOnParent();
  m_combo->SetFocus();
}

bool CCategoryDialog::TransferDataToWindow() {
  m_combo->SetValue(ToWx(m_category));
  m_combo->SelectAll();
  return true;
}

bool CCategoryDialog::TransferDataFromWindow() {
  m_category = FromWx(m_combo->GetValue());
  return true;
}

CInputDialog::CInputDialog(wxWindow* parent, const std::string& prompt, const std::string& value) : m_value(value) {
  LoadXrcDialog(this, parent, "InputDialog");
  XrcControl<wxStaticText>(this, "prompt")->SetLabelText(ToWx(prompt));
  m_text = XrcControl<wxTextCtrl>(this, "value");
  FitDialog(this);
  CentreOnParent();
  m_text->SetFocus();
}

bool CInputDialog::TransferDataToWindow() {
  m_text->ChangeValue(ToWx(m_value));
  m_text->SelectAll();
  return true;
}

bool CInputDialog::TransferDataFromWindow() {
  m_value = FromWx(m_text->GetValue());
  return true;
}
