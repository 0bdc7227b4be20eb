// "VamelRssのﾊﾞｰｼﾞｮﾝ情報": the application icon, the version line, a mail link and a web link.
#pragma once

#include <wx/dialog.h>

class CInteraction;

class CVersionDialog : public wxDialog {
public:
  // `ui` opens the links.
  CVersionDialog(wxWindow* parent, CInteraction& ui);
};
