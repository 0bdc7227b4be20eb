#include "ui/dialogs/podcast_settings_page.h"

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/interaction.h"
#include "ui/dialogs/xrc_dialog.h"
#include "ui/wx_text.h"

namespace {

// Refuses the page with `message` and puts the focus into `field`.
bool Refuse(CInteraction& ui, const CUserMessage& message, wxTextCtrl* field) {
  ui.Show(message);
  field->SetFocus();
  field->SelectAll();
  return false;
}

}  // namespace

CPodcastPagePanel::CPodcastPagePanel(wxWindow* parent, CPodcastPageValues& values, CInteraction& ui)
    : CSettingsPagePanel(parent, "PodcastPage"), m_values(values), m_ui(ui) {
  m_enabled = XrcControl<wxCheckBox>(this, "podcast_enabled");
  m_author = XrcControl<wxTextCtrl>(this, "podcast_author");
  m_ownerEmail = XrcControl<wxTextCtrl>(this, "podcast_owner_email");
  m_category = XrcControl<wxChoice>(this, "podcast_category");
  m_explicit = XrcControl<wxChoice>(this, "podcast_explicit");
  m_image = XrcControl<wxTextCtrl>(this, "podcast_image");
  m_type = XrcControl<wxChoice>(this, "podcast_type");
  m_locked = XrcControl<wxCheckBox>(this, "podcast_locked");
  MakeSettingsHint(XrcControl<wxStaticText>(this, "podcast_enabled_hint"));
  // The entries before the first display, so the page is as wide as its longest category.
  FillChoice(m_category, CPodcastPageValues().CategoryLabels());
  FillChoice(m_explicit, PodcastExplicitLabels());
  FillChoice(m_type, PodcastTypeLabels());
  GetSizer()->SetSizeHints(this);
}

wxString CPodcastPagePanel::Label() const { return Wx("ポッドキャスト"); }

bool CPodcastPagePanel::TransferDataToWindow() {
  m_enabled->SetValue(m_values.enabled);
  m_author->ChangeValue(ToWx(m_values.author));
  m_ownerEmail->ChangeValue(ToWx(m_values.ownerEmail));
  // The project's own category, when the tree does not hold it, is one entry more.
  m_category->Clear();
  FillChoice(m_category, m_values.CategoryLabels());
  SelectChoice(m_category, m_values.category);
  SelectChoice(m_explicit, m_values.explicitness);
  m_image->ChangeValue(ToWx(m_values.image));
  SelectChoice(m_type, m_values.type);
  m_locked->SetValue(m_values.locked);
  return true;
}

bool CPodcastPagePanel::Validate() {
  if (!IsPodcastEmailValue(FromWx(m_ownerEmail->GetValue()))) return Refuse(m_ui, PodcastOwnerEmailMessage(), m_ownerEmail);
  if (!IsPodcastImageValue(FromWx(m_image->GetValue()))) return Refuse(m_ui, PodcastImageMessage(), m_image);
  return true;
}

bool CPodcastPagePanel::TransferDataFromWindow() {
  m_values.enabled = m_enabled->GetValue();
  m_values.author = FromWx(m_author->GetValue());
  m_values.ownerEmail = FromWx(m_ownerEmail->GetValue());
  m_values.category = m_category->GetSelection();
  m_values.explicitness = m_explicit->GetSelection();
  m_values.image = FromWx(m_image->GetValue());
  m_values.type = m_type->GetSelection();
  m_values.locked = m_locked->GetValue();
  return true;
}
