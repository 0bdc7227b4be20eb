// A link in a dialog: blue text that opens its address with the desktop's default program, purple once
// followed, the hand pointer over it.
#pragma once

#include <wx/hyperlink.h>

class CInteraction;

class CStaticLink : public wxGenericHyperlinkCtrl {
public:
  // `target` empty: the text is the address. `ui` opens it (and says so when it cannot).
  CStaticLink(wxWindow* parent, CInteraction& ui, const wxString& text, const wxString& target = wxString());

  bool IsFollowed() const { return GetVisited(); }

private:
  void OnClick(wxHyperlinkEvent& event);
  CInteraction& m_ui;
};
