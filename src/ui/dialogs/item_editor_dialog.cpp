#include "ui/dialogs/item_editor_dialog.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/datectrl.h>
#include <wx/spinctrl.h>
#include <wx/utils.h>
#include <wx/textctrl.h>
#include <wx/timectrl.h>

#include "app/enclosure_source.h"
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
  m_enclosure = XrcControl<wxTextCtrl>(this, "enclosure");
  m_length = XrcControl<wxTextCtrl>(this, "enclosure_length");
  m_type = XrcControl<wxTextCtrl>(this, "enclosure_type");
  m_duration = XrcControl<wxTextCtrl>(this, "duration");
  m_episode = XrcControl<wxSpinCtrl>(this, "episode");
  m_season = XrcControl<wxSpinCtrl>(this, "season");
  m_episodeType = XrcControl<wxChoice>(this, "episode_type");
  for (const std::string& entry : EpisodeTypeEntries()) m_episodeType->Append(ToWx(entry));

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
  Bind(wxEVT_BUTTON, &CItemEditorDialog::OnBrowseEnclosure, this, XRCID("enclosure_browse"));
  Bind(wxEVT_BUTTON, &CItemEditorDialog::OnFetchEnclosure, this, XRCID("enclosure_fetch"));
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
  const CEnclosure& enclosure = m_values.enclosure;
  m_enclosure->ChangeValue(ToWx(enclosure.url));
  // Unknown facts show empty, ready to be typed.
  m_length->ChangeValue(enclosure.length > 0 ? wxString::Format("%lld", static_cast<long long>(enclosure.length)) : wxString());
  m_type->ChangeValue(ToWx(enclosure.type));
  m_duration->ChangeValue(enclosure.duration > 0 ? wxString::Format("%d", enclosure.duration) : wxString());
  m_episode->SetValue(m_values.episode);
  m_season->SetValue(m_values.season);
  m_episodeType->SetSelection(EpisodeTypeEntryOf(m_values.episodeType));
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
  m_values.enclosure.url = FromWx(m_enclosure->GetValue().Strip(wxString::both));
  m_values.enclosure.type = FromWx(m_type->GetValue().Strip(wxString::both));
  CUserMessage error;
  int field = 0;
  ParseEnclosureNumbers(FromWx(m_length->GetValue()), FromWx(m_duration->GetValue()), m_values.enclosure, error, field);
  m_values.episode = m_episode->GetValue();
  m_values.season = m_season->GetValue();
  m_values.episodeType = EpisodeTypeOfEntry(m_episodeType->GetSelection());
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

bool CItemEditorDialog::Validate() {
  CEnclosure numbers;
  CUserMessage error;
  int field = 0;
  if (!ParseEnclosureNumbers(FromWx(m_length->GetValue()), FromWx(m_duration->GetValue()), numbers, error, field)) {
    m_ui.Show(error);
    wxTextCtrl* wrong = field == 0 ? m_length : m_duration;
    wrong->SetFocus();
    wrong->SelectAll();
    return false;
  }
  TransferDataFromWindow();
  if (!SettleEnclosureField(m_project, m_values, m_ui)) {
    m_enclosure->SetFocus();
    return false;
  }
  TransferDataToWindow();
  return true;
}

void CItemEditorDialog::OnBrowseEnclosure(wxCommandEvent&) {
  CFileDialogResult chosen = m_ui.ChooseFile(EnclosureBrowseRequest(m_project, FromWx(m_enclosure->GetValue())));
  if (!chosen.ok) return;
  TransferDataFromWindow();
  TakeEnclosure(m_project, m_values, chosen.path, m_ui);
  TransferDataToWindow();
}

// The typed URL's server is asked: a wait of at most the request's bound.
void CItemEditorDialog::OnFetchEnclosure(wxCommandEvent&) {
  TransferDataFromWindow();
  if (m_values.enclosure.url.empty()) return;
  CResult<CEnclosure> found;
  {
    wxBusyCursor busy;
    found = EnclosureFor(m_project, m_values.enclosure.url);
  }
  UseEnclosure(m_values, found, m_ui);
  TransferDataToWindow();
}
