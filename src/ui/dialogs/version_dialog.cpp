#include "ui/dialogs/version_dialog.h"

#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "app/shell_commands.h"
#include "ui/art.h"
#include "ui/dialogs/xrc_dialog.h"
#include "ui/static_link.h"
#include "ui/wx_text.h"

CVersionDialog::CVersionDialog(wxWindow* parent, CInteraction& ui) {
  LoadXrcDialog(this, parent, "VersionDialog");
  XrcControl<wxStaticBitmap>(this, "icon")->SetBitmap(AppIconBundle().GetBitmap(wxSize(48, 48)));
  XrcControl<wxStaticText>(this, "version")->SetLabel(kVersionText);
  wxPanel* links = XrcControl<wxPanel>(this, "links");
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  const wxString mail(kSupportMailUrl);
  sizer->Add(new CStaticLink(links, ui, mail.AfterFirst(':'), mail));
  sizer->Add(new CStaticLink(links, ui, kHomePageUrl, kHomePageUrl), wxSizerFlags().Border(wxTOP, 4));
  links->SetSizer(sizer);
  Fit();
  CentreOnParent();
}
