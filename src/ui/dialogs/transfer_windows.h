// The windows of the transfers, as the core sees them (a CProgressSink): the modeless status window
// "ftp" of an upload ("ステータス", the status line, the file line) and the progress window
// "ダウンロード" of a page download (status, name, bar, count, "キャンセル"). The core sets every text.
// While one is open the program's other windows are disabled, so no command starts in the middle of a
// transfer; deleting the sink closes the window.
#pragma once

#include <wx/dialog.h>

#include <string>

#include "platform/progress_sink.h"

// The window a transfer shows. Dialogs asked during the transfer open over it.
class CTransferWindow : public wxDialog {
public:
  virtual void ShowStatus(const wxString& text) = 0;
  virtual void ShowFile(const wxString& text) = 0;
  virtual void ShowProgress(unsigned long long, unsigned long long) {}
  virtual void ShowCount(const wxString&) {}
  // True once per press of the cancel button (or of the window's close box).
  virtual bool TakeCancelRequest() { return false; }
};

// Opens the download window (`cancellable`) or the status window, titled `title`, over `parent`.
CProgressSink* OpenTransferWindow(wxWindow* parent, const std::string& title, bool cancellable);
