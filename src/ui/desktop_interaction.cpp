#include "ui/desktop_interaction.h"

#include <wx/clipbrd.h>
#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>
#include <wx/timer.h>

#include "app/file_filters.h"
#include "ui/dialogs/transfer_windows.h"
#include "ui/wx_text.h"

namespace {

long MessageStyle(MbButtons buttons, MbIcon icon) {
  long style = wxCENTRE;
  switch (buttons) {
    case MbButtons::Ok: style |= wxOK; break;
    case MbButtons::OkCancel: style |= wxOK | wxCANCEL; break;
    case MbButtons::YesNo: style |= wxYES_NO; break;
    case MbButtons::YesNoCancel: style |= wxYES_NO | wxCANCEL; break;
  }
  switch (icon) {
    case MbIcon::None: break;
    case MbIcon::Information: style |= wxICON_INFORMATION; break;
    case MbIcon::Question: style |= wxICON_QUESTION; break;
    case MbIcon::Exclamation: style |= wxICON_WARNING; break;
    case MbIcon::Error: style |= wxICON_ERROR; break;
  }
  return style;
}

// The filter list as a wx wildcard: "description|pattern|..." with the descriptions trimmed.
wxString Wildcard(const std::vector<CFilterEntry>& entries) {
  wxString wildcard;
  for (const CFilterEntry& entry : entries) {
    if (!wildcard.empty()) wildcard += "|";
    wxString description = ToWx(entry.description);
    description.Trim(true).Trim(false);
    wildcard += description + "|" + ToWx(entry.pattern);
  }
  return wildcard;
}

bool IsPattern(const std::string& name) { return name.find_first_of("*?") != std::string::npos; }

}  // namespace

CDesktopInteraction::CDesktopInteraction() = default;
CDesktopInteraction::~CDesktopInteraction() = default;

void CDesktopInteraction::WatchLaunches() {
  if (!m_launchTimer) {
    m_launchTimer = std::make_unique<wxTimer>();
    m_launchTimer->Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
      if (!CheckLaunches()) m_launchTimer->Stop();
    });
  }
  if (!m_launchTimer->IsRunning()) m_launchTimer->Start(250);
}

wxWindow* CDesktopInteraction::Parent() const {
  for (wxWindowList::compatibility_iterator node = wxTopLevelWindows.GetLast(); node; node = node->GetPrevious()) {
    auto* dialog = wxDynamicCast(node->GetData(), wxDialog);
    if (dialog && dialog->IsShown() && (dialog->IsModal() || dynamic_cast<CTransferWindow*>(dialog))) return dialog;
  }
  return m_owner;
}

MbAnswer CDesktopInteraction::MessageBox(const std::string& text, MbButtons buttons, MbIcon icon) {
  wxMessageDialog box(Parent(), ToWx(text), kMessageBoxCaption, MessageStyle(buttons, icon));
  if (buttons == MbButtons::YesNo || buttons == MbButtons::YesNoCancel) box.SetYesNoLabels(Wx("はい(&Y)"), Wx("いいえ(&N)"));
  if (buttons == MbButtons::YesNoCancel) box.SetYesNoCancelLabels(Wx("はい(&Y)"), Wx("いいえ(&N)"), Wx("ｷｬﾝｾﾙ"));
  if (buttons == MbButtons::OkCancel) box.SetOKCancelLabels("OK", Wx("ｷｬﾝｾﾙ"));
  switch (box.ShowModal()) {
    case wxID_YES: return MbAnswer::Yes;
    case wxID_NO: return MbAnswer::No;
    case wxID_CANCEL: return MbAnswer::Cancel;
    default: return MbAnswer::Ok;
  }
}

CProgressSink* CDesktopInteraction::CreateProgress(const std::string& title, bool cancellable) {
  return OpenTransferWindow(Parent(), title, cancellable);
}

void CDesktopInteraction::SetClipboardText(const std::string& text) {
  wxClipboardLocker lock;
  if (!lock) return;
  wxTheClipboard->SetData(new wxTextDataObject(ToWx(text)));
  wxTheClipboard->Flush();  // the text stays after the program ends
}

CFileDialogResult CDesktopInteraction::ChooseFile(const CFileDialogRequest& request) {
  const std::vector<CFilterEntry> entries = ParseFileFilter(request.filter);
  long style = request.save ? wxFD_SAVE : wxFD_OPEN;
  if (request.save && request.overwritePrompt) style |= wxFD_OVERWRITE_PROMPT;
  if (!request.save && request.mustExist) style |= wxFD_FILE_MUST_EXIST;
  // A proposed path gives the folder and the name; a pattern ("*.xml;*.rdf") is the filter's business.
  wxString folder, name;
  if (!IsPattern(request.fileName)) {
    const std::string::size_type slash = request.fileName.rfind('/');
    if (slash != std::string::npos) folder = ToWx(request.fileName.substr(0, slash));
    name = ToWx(slash == std::string::npos ? request.fileName : request.fileName.substr(slash + 1));
  }
  wxFileDialog dialog(Parent(), ToWx(request.title), folder, name, Wildcard(entries), style);
  const int count = static_cast<int>(entries.size());
  if (request.filterIndex >= 1 && request.filterIndex <= count) dialog.SetFilterIndex(request.filterIndex - 1);
  CFileDialogResult result;
  if (dialog.ShowModal() != wxID_OK) return result;
  result.ok = true;
  result.filterIndex = dialog.GetFilterIndex() + 1;
  // A name without an extension is the caller's to complete (ChooseSavePath).
  result.path = FromWx(dialog.GetPath());
  return result;
}

bool CDesktopInteraction::ChooseFolder(const std::string& title, const std::string& initialFolder, std::string& folder) {
  const wxString heading = title.empty() ? Wx("フォルダ選択") : ToWx(title);
  wxDirDialog dialog(Parent(), heading, ToWx(initialFolder), wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
  if (dialog.ShowModal() != wxID_OK) return false;
  folder = FromWx(dialog.GetPath());
  return true;
}
