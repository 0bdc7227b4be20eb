// A link in a dialog: blue text that opens its address with the desktop's default program, purple once
// followed, the hand pointer over it; a link the desktop cannot open beeps.
#pragma once

#include <wx/hyperlink.h>

class CStaticLink : public wxGenericHyperlinkCtrl {
public:
  // `target` empty: the text is the address.
  CStaticLink(wxWindow* parent, const wxString& text, const wxString& target = wxString());

  bool IsFollowed() const { return GetVisited(); }

private:
  void OnClick(wxHyperlinkEvent& event);
};
