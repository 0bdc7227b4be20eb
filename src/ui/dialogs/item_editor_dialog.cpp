#include "ui/dialogs/item_editor_dialog.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/datectrl.h>
#include <wx/textctrl.h>
#include <wx/timectrl.h>

#include "app/interaction.h"
#include "app/item_editor.h"
#include "model/rss_file.h"
#include "model/rss_item.h"
#include "ui/dialogs/marker_tag_dialog.h"
#include "ui/dialogs/xrc_dialog.h"
#include "ui/help_viewer.h"
#include "ui/wx_text.h"

namespace {

constexpr int kItemEditorHelpTopic = 11;

}  // namespace

CItemEditorDialog::CItemEditorDialog(wxWindow* parent, CRssFile& project, CRssItem& item, CInteraction& ui)
    : m_project(project), m_ui(ui) {
  LoadXrcDialog(this, parent, "ItemEditorDialog");
  m_url = XrcControl<wxTextCtrl>(this, "url");
  m_title = XrcControl<wxTextCtrl>(this, "title");
  m_category = XrcControl<wxComboBox>(this, "category");
  m_date = XrcControl<wxDatePickerCtrl>(this, "date");
  m_time = XrcControl<wxTimePickerCtrl>(this, "time");
  m_description = XrcControl<wxTextCtrl>(this, "description");
  m_content = XrcControl<wxTextCtrl>(this, "content");
  m_image = XrcControl<wxTextCtrl>(this, "image");
  m_hidden = XrcControl<wxCheckBox>(this, "hidden");

  m_values.item = &item;
  m_values.LoadFrom(item);
  for (const std::string& category : EditorCategories(project)) m_category->Append(ToWx(category));
  const bool local = EditorHasLocalFolder(project);
  XrcControl<wxButton>(this, "import")->Enable(local);
  XrcControl<wxButton>(this, "open_local")->Enable(local);

  Bind(wxEVT_BUTTON, &CItemEditorDialog::OnBrowse, this, XRCID("browse"));
  Bind(wxEVT_BUTTON, &CItemEditorDialog::OnNow, this, XRCID("now"));
  Bind(wxEVT_BUTTON, &CItemEditorDialog::OnImport, this, XRCID("import"));
  Bind(wxEVT_BUTTON, &CItemEditorDialog::OnOpenLocal, this, XRCID("open_local"));
  Bind(wxEVT_BUTTON, &CItemEditorDialog::OnTags, this, XRCID("tags"));
  BindHelpKey(this, kItemEditorHelpTopic);
  Fit();
  SetMinSize(GetSize());
  CentreOnParent();
}

bool CItemEditorDialog::TransferDataToWindow() {
  m_url->ChangeValue(ToWx(m_values.url));
  m_title->ChangeValue(ToWx(m_values.title));
  m_category->SetValue(ToWx(m_values.category));
  m_shownDescription = ToWx(m_values.description);
  m_description->ChangeValue(m_shownDescription);
  m_content->ChangeValue(ToWx(m_values.content));
  m_image->ChangeValue(ToWx(m_values.image));
  m_hidden->SetValue(m_values.hidden);
  const wxDateTime when(static_cast<time_t>(m_values.date));
  if (when.IsValid()) {
    m_date->SetValue(when);
    m_time->SetValue(when);
  }
  return true;
}

bool CItemEditorDialog::TransferDataFromWindow() {
  m_values.url = FromWx(m_url->GetValue());
  m_values.title = FromWx(m_title->GetValue());
  m_values.category = FromWx(m_category->GetValue());
  // The description keeps its own line breaks (CR LF of a harvested page) unless the user changed it.
  if (m_description->GetValue() != m_shownDescription) m_values.description = FromWx(m_description->GetValue());
  m_values.content = FromWx(m_content->GetValue());
  m_values.image = FromWx(m_image->GetValue());
  m_values.hidden = m_hidden->GetValue();
  const wxDateTime day = m_date->GetValue();
  const wxDateTime clock = m_time->GetValue();
  TimeValue when = 0;
  if (day.IsValid() && clock.IsValid() &&
      EditorDateTime(day.GetYear(), day.GetMonth() + 1, day.GetDay(), clock.GetHour(), clock.GetMinute(),
                     clock.GetSecond(), when)) {
    m_values.date = when;
  }
  return true;
}

void CItemEditorDialog::OnBrowse(wxCommandEvent&) {
  CFileDialogResult chosen = m_ui.ChooseFile(LocalFileBrowseRequest());
  if (!chosen.ok) return;
  TransferDataFromWindow();
  TakeLocalFile(m_project, m_values, chosen.path, m_ui);
  TransferDataToWindow();
}

void CItemEditorDialog::OnNow(wxCommandEvent&) {
  TransferDataFromWindow();
  SetEditorTimeToNow(m_values);
  TransferDataToWindow();
}

void CItemEditorDialog::OnImport(wxCommandEvent&) {
  TransferDataFromWindow();
  RefreshItem(m_project, m_values, m_ui);
  TransferDataToWindow();
}

// The URL box's current text, so the page of what the user sees is opened.
void CItemEditorDialog::OnOpenLocal(wxCommandEvent&) { OpenEditorPage(m_project, FromWx(m_url->GetValue()), m_ui); }

void CItemEditorDialog::OnTags(wxCommandEvent&) {
  TransferDataFromWindow();
  CMarkerTagDialog dialog(this, MarkerTagsOf(m_project, m_values), m_ui);
  if (dialog.ShowModal() == wxID_OK) StoreMarkerTags(dialog.Values(), m_values);
}
