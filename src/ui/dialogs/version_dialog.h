// "VamelRssのﾊﾞｰｼﾞｮﾝ情報": the application icon, the version line, a mail link and a web link.
#pragma once

#include <wx/dialog.h>

class CVersionDialog : public wxDialog {
public:
  explicit CVersionDialog(wxWindow* parent);
};
