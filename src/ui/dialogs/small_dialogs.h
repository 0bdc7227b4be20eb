// Two small dialogs: "カテゴリの変更" (one category for the selected items, chosen from the project's
// categories or typed) and the one-line input dialog "VamelRSS" (a prompt and a value).
#pragma once

#include <wx/dialog.h>

#include <string>

class CRssFile;
class wxComboBox;
class wxTextCtrl;

class CCategoryDialog : public wxDialog {
public:
  // The combo box lists the project's categories in order of first appearance; `category` starts it.
  CCategoryDialog(wxWindow* parent, const CRssFile& project, const std::string& category);

  bool TransferDataToWindow() override;
  bool TransferDataFromWindow() override;

  // After OK: the text of the combo box, as typed (empty included).
  const std::string& Category() const { return m_category; }

private:
  std::string m_category;
  wxComboBox* m_combo;
};

class CInputDialog : public wxDialog {
public:
  CInputDialog(wxWindow* parent, const std::string& prompt, const std::string& value);

  bool TransferDataToWindow() override;
  bool TransferDataFromWindow() override;

  const std::string& Value() const { return m_value; }

private:
  std::string m_value;
  wxTextCtrl* m_text;
};
