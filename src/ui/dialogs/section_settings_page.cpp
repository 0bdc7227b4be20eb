#include "ui/dialogs/section_settings_page.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/listctrl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/interaction.h"
#include "ui/dialogs/dialog_size.h"
#include "ui/dialogs/xrc_dialog.h"
#include "ui/wx_text.h"

// --- the editor of one section

CSectionEditDialog::CSectionEditDialog(wxWindow* parent, const CSectionEditValues& values, CInteraction& ui)
    : m_values(values), m_ui(ui) {
  LoadXrcDialog(this, parent, "SectionEditDialog");
  m_name = XrcControl<wxTextCtrl>(this, "section_name");
  m_rule = XrcControl<wxChoice>(this, "section_rule");
  m_value = XrcControl<wxTextCtrl>(this, "section_value");
  m_rss = XrcControl<wxTextCtrl>(this, "section_rss");
  m_atom = XrcControl<wxTextCtrl>(this, "section_atom");
  m_json = XrcControl<wxTextCtrl>(this, "section_json");
  m_title = XrcControl<wxTextCtrl>(this, "section_title");
  for (const std::string& entry : CSectionEditValues::RuleEntries()) m_rule->Append(ToWx(entry));
  MakeSettingsHint(XrcControl<wxStaticText>(this, "section_edit_hint"));
  UseTranslatedCancelLabel(this);
  FitDialog(this);
  CentreOnParent();
}

bool CSectionEditDialog::TransferDataToWindow() {
  m_name->ChangeValue(ToWx(m_values.name));
  m_rule->SetSelection(m_values.rule);
  m_value->ChangeValue(ToWx(m_values.value));
  m_rss->ChangeValue(ToWx(m_values.rssFileName));
  m_atom->ChangeValue(ToWx(m_values.atomFileName));
  m_json->ChangeValue(ToWx(m_values.jsonFileName));
  m_title->ChangeValue(ToWx(m_values.titleSuffix));
  return true;
}

CSectionEditValues CSectionEditDialog::Gather() const {
  CSectionEditValues values;
  values.name = FromWx(m_name->GetValue());
  values.rule = m_rule->GetSelection() == 1 ? 1 : 0;
  values.value = FromWx(m_value->GetValue());
  values.rssFileName = FromWx(m_rss->GetValue());
  values.atomFileName = FromWx(m_atom->GetValue());
  values.jsonFileName = FromWx(m_json->GetValue());
  values.titleSuffix = FromWx(m_title->GetValue());
  return values;
}

bool CSectionEditDialog::Validate() {
  const CSectionEditValues values = Gather();
  const std::string problem = values.Problem();
  if (problem.empty()) return true;
  m_ui.Show(SectionProblemMessage(problem));
  (values.name.empty() ? m_name : m_value)->SetFocus();
  return false;
}

bool CSectionEditDialog::TransferDataFromWindow() {
  m_values = Gather();
  return true;
}

// --- the page

CSectionPagePanel::CSectionPagePanel(wxWindow* parent, CSectionPageValues& values, CInteraction& ui)
    : CSettingsPagePanel(parent, "SectionPage"), m_values(values), m_ui(ui) {
  m_list = XrcControl<wxListCtrl>(this, "section_list");
  const std::vector<std::string> titles = CSectionPageValues::ColumnTitles();
  const int widths[] = {60, 106, 110, 110, 110};  // all five columns within the list
  for (std::size_t i = 0; i < titles.size(); ++i) m_list->AppendColumn(ToWx(titles[i]), wxLIST_FORMAT_LEFT, widths[i]);
  MakeSettingsHint(XrcControl<wxStaticText>(this, "section_hint"));
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Edit(-1); }, XRCID("section_add"));
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Edit(Selected()); }, XRCID("section_edit"));
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Delete(); }, XRCID("section_delete"));
  m_list->Bind(wxEVT_LIST_ITEM_ACTIVATED, [this](wxListEvent& e) { Edit(e.GetIndex()); });
  GetSizer()->SetSizeHints(this);
}

wxString CSectionPagePanel::Label() const { return Wx("セクション"); }

bool CSectionPagePanel::TransferDataToWindow() {
  Fill(m_values.sections.empty() ? -1 : 0);
  return true;
}

bool CSectionPagePanel::Validate() {
  const std::string problem = m_values.Problem();
  if (problem.empty()) return true;
  m_ui.Show(SectionProblemMessage(problem));
  m_list->SetFocus();
  return false;
}

void CSectionPagePanel::Fill(long select) {
  m_list->DeleteAllItems();
  for (std::size_t i = 0; i < m_values.sections.size(); ++i) {
    const std::vector<std::string> columns = CSectionPageValues::Columns(m_values.sections[i]);
    const long row = m_list->InsertItem(static_cast<long>(i), ToWx(columns[0]));
    for (std::size_t c = 1; c < columns.size(); ++c) m_list->SetItem(row, static_cast<int>(c), ToWx(columns[c]));
  }
  if (select >= 0 && select < m_list->GetItemCount()) {
    m_list->SetItemState(select, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
  }
}

long CSectionPagePanel::Selected() const { return m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); }

void CSectionPagePanel::Edit(long row) {
  if (row < -1 || row >= static_cast<long>(m_values.sections.size())) return;
  const bool adding = row < 0;
  if (!adding && Selected() < 0) return;
  CSectionEditDialog dialog(this, adding ? CSectionEditValues() : CSectionEditValues::Of(m_values.sections[static_cast<std::size_t>(row)]), m_ui);
  if (dialog.ShowModal() != wxID_OK) return;
  const CFeedSection section = dialog.Values().Section(m_values);
  if (adding) {
    m_values.sections.push_back(section);
    row = static_cast<long>(m_values.sections.size()) - 1;
  } else {
    m_values.sections[static_cast<std::size_t>(row)] = section;
  }
  Fill(row);
}

void CSectionPagePanel::Delete() {
  const long row = Selected();
  if (row < 0) return;
  m_values.sections.erase(m_values.sections.begin() + row);
  Fill(std::min<long>(row, static_cast<long>(m_values.sections.size()) - 1));
}
