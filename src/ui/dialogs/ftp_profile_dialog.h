// "ftp設定の参照": the sibling editor's FTP profiles by name, with the chosen one's host, user, local
// and remote folders shown read-only (never the password). "この設定" closes with OK.
#pragma once

#include <wx/dialog.h>

#include "app/ftp_profile_chooser.h"

class wxChoice;
class wxTextCtrl;

class CFtpProfileDialog : public wxDialog {
public:
  CFtpProfileDialog(wxWindow* parent, CFtpProfileChoice& choice);

  bool TransferDataToWindow() override;
  bool TransferDataFromWindow() override;

private:
  void ShowProfile(int index);

  CFtpProfileChoice& m_choice;
  wxChoice* m_name;
  wxTextCtrl* m_host;
  wxTextCtrl* m_user;
  wxTextCtrl* m_localDir;
  wxTextCtrl* m_remoteDir;
};
