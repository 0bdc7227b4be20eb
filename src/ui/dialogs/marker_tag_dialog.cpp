#include "ui/dialogs/marker_tag_dialog.h"

#include <wx/button.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/item_editor.h"
#include "ui/dialogs/dialog_size.h"
#include "ui/dialogs/xrc_dialog.h"
#include "ui/help_viewer.h"
#include "ui/wx_text.h"

namespace {

constexpr int kMarkerTagHelpTopic = 12;

}  // namespace

CMarkerTagDialog::CMarkerTagDialog(wxWindow* parent, const CMarkerTagValues& values, CInteraction& ui)
    : m_values(values), m_ui(ui) {
  LoadXrcDialog(this, parent, "MarkerTagDialog");
  m_start = XrcControl<wxTextCtrl>(this, "start_tag");
  m_end = XrcControl<wxTextCtrl>(this, "end_tag");
  XrcControl<wxButton>(this, "open_local")->Enable(!m_values.localFile.empty());

  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Copy(m_start); }, XRCID("copy_start"));
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Copy(m_end); }, XRCID("copy_end"));
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OpenMarkerTagPage(m_values, m_ui); }, XRCID("open_local"));
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { ShowHelpTopic(this, kMarkerTagHelpTopic); }, XRCID("help"));
  BindHelpKey(this, kMarkerTagHelpTopic);
  // The explanation wraps to the width of the tag boxes rather than widening the dialog.
  XrcControl<wxStaticText>(this, "text")->Wrap(m_start->GetSize().x + XrcControl<wxButton>(this, "copy_start")->GetSize().x + 8);
  FitDialog(this);
  CentreOnParent();
}

bool CMarkerTagDialog::TransferDataToWindow() {
  m_start->ChangeValue(ToWx(m_values.startTag));
  m_end->ChangeValue(ToWx(m_values.endTag));
  return true;
}

bool CMarkerTagDialog::TransferDataFromWindow() {
  m_values.startTag = FromWx(m_start->GetValue());
  m_values.endTag = FromWx(m_end->GetValue());
  return true;
}

void CMarkerTagDialog::Copy(wxTextCtrl* tag) {
  tag->SetFocus();
  tag->SelectAll();
  m_ui.SetClipboardText(FromWx(tag->GetValue()));
}
