#include "ui/static_link.h"

#include <wx/utils.h>

#include "app/interaction.h"
#include "ui/wx_text.h"

namespace {

const wxColour kNotFollowed(0, 0, 255);
const wxColour kFollowed(128, 0, 128);

}  // namespace

CStaticLink::CStaticLink(wxWindow* parent, CInteraction& ui, const wxString& text, const wxString& target)
    : wxGenericHyperlinkCtrl(parent, wxID_ANY, text, target.empty() ? text : target, wxDefaultPosition,
                             wxDefaultSize, wxHL_DEFAULT_STYLE),
      m_ui(ui) {
  SetNormalColour(kNotFollowed);
  SetHoverColour(kNotFollowed);
  SetVisitedColour(kFollowed);
  SetCursor(wxCursor(wxCURSOR_HAND));
  Bind(wxEVT_HYPERLINK, &CStaticLink::OnClick, this);
}

void CStaticLink::OnClick(wxHyperlinkEvent&) {
  const wxString target = GetURL().empty() ? GetLabel() : GetURL();
  if (target.empty()) return;
  m_ui.OpenWithShell(FromWx(target));
  SetVisited(true);
  Refresh();
}
