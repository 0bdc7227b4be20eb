#include "ui/dialogs/options_dialog.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/interaction.h"
#include "platform/text_codec.h"
#include "ui/dialogs/dialog_size.h"
#include "ui/dialogs/xrc_dialog.h"
#include "ui/wx_text.h"

namespace {

// Program choosers: any file, as programs here rarely carry an extension.
constexpr const char* kProgramFilter = "全てのﾌｧｲﾙ(*) |*||";

// The list height takes digits only from the keyboard (pasted text is checked on OK).
void DigitsOnly(wxKeyEvent& event) {
  const int key = event.GetKeyCode();
  const bool control = key < WXK_SPACE || key == WXK_DELETE || key >= WXK_START || event.HasModifiers();
  if (control || (key >= '0' && key <= '9')) event.Skip();
}

}  // namespace

COptionsDialog::COptionsDialog(wxWindow* parent, COptionValues& values, CInteraction& ui) : m_values(values), m_ui(ui) {
  LoadXrcDialog(this, parent, "OptionsDialog");
  m_openLastFile = XrcControl<wxCheckBox>(this, "open_last_file");
  m_listHeight = XrcControl<wxTextCtrl>(this, "list_height");
  m_htmlEditor = XrcControl<wxTextCtrl>(this, "html_editor");
  m_rssViewer = XrcControl<wxTextCtrl>(this, "rss_viewer");
  m_startTag = XrcControl<wxTextCtrl>(this, "start_tag");
  m_endTag = XrcControl<wxTextCtrl>(this, "end_tag");
  m_htmlEditorNote = XrcControl<wxStaticText>(this, "html_editor_note");
  m_rssViewerNote = XrcControl<wxStaticText>(this, "rss_viewer_note");
  m_listHeight->Bind(wxEVT_CHAR, DigitsOnly);
  m_htmlEditor->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { ShowNotes(); });
  m_rssViewer->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { ShowNotes(); });
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { BrowseProgram(m_htmlEditor, "HTMLエディタの選択"); },
       XRCID("html_editor_browse"));
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { BrowseProgram(m_rssViewer, "RSSビューアの選択"); },
       XRCID("rss_viewer_browse"));
  FitDialog(this);
  CentreOnParent();
}

bool COptionsDialog::TransferDataToWindow() {
  m_openLastFile->SetValue(m_values.openLastFile != 0);
  m_listHeight->ChangeValue(wxString::Format("%d", m_values.listHeight));
  m_htmlEditor->ChangeValue(ToWx(m_values.htmlEditor));
  m_rssViewer->ChangeValue(ToWx(m_values.rssViewer));
  m_startTag->ChangeValue(ToWx(m_values.startTag));
  m_endTag->ChangeValue(ToWx(m_values.endTag));
  ShowNotes();
  return true;
}

void COptionsDialog::ShowNotes() {
  m_htmlEditorNote->SetLabel(ToWx(m_values.HtmlEditorNote(FromWx(m_htmlEditor->GetValue()))));
  m_rssViewerNote->SetLabel(ToWx(m_values.RssViewerNote(FromWx(m_rssViewer->GetValue()))));
  // A longer note widens the dialog (FitDialog).
  SendSizeEvent();
}

bool COptionsDialog::Validate() {
  int percent = 0;
  CUserMessage error;
  if (ParseListHeight(FromWx(m_listHeight->GetValue()), percent, error)) return true;
  m_ui.Show(error);
  m_listHeight->SetFocus();
  m_listHeight->SelectAll();
  return false;
}

bool COptionsDialog::TransferDataFromWindow() {
  int percent = 0;
  CUserMessage error;
  if (!ParseListHeight(FromWx(m_listHeight->GetValue()), percent, error)) return false;
  // A stored "InitFile" other than 0 and 1 stays as it was while the box stays ticked.
  if (m_openLastFile->GetValue() != (m_values.openLastFile != 0)) m_values.openLastFile = m_openLastFile->GetValue() ? 1 : 0;
  m_values.listHeight = percent;
  m_values.htmlEditor = FromWx(m_htmlEditor->GetValue());
  m_values.rssViewer = FromWx(m_rssViewer->GetValue());
  m_values.startTag = FromWx(m_startTag->GetValue());
  m_values.endTag = FromWx(m_endTag->GetValue());
  return true;
}

// "...": a program chosen from the files; the field starts the chooser where its program is.
void COptionsDialog::BrowseProgram(wxTextCtrl* field, const char* title) {
  CFileDialogRequest request;
  request.title = Lit(title);
  request.filter = Lit(kProgramFilter);
  request.mustExist = true;
  const std::string current = FromWx(field->GetValue());
  if (!current.empty() && current[0] == '/') request.fileName = current;
  const CFileDialogResult chosen = m_ui.ChooseFile(request);
  if (chosen.ok) field->SetValue(ToWx(chosen.path));
}
