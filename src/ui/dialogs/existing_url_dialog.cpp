#include "ui/dialogs/existing_url_dialog.h"

#include <wx/button.h>

#include "ui/dialogs/xrc_dialog.h"

CExistingUrlDialog::CExistingUrlDialog(wxWindow* parent) {
  LoadXrcDialog(this, parent, "ExistingUrlDialog");
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(kReplaceCode); }, XRCID("replace"));
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(kAddBesideCode); }, XRCID("beside"));
  SetEscapeId(wxID_CANCEL);
  XrcControl<wxButton>(this, "replace")->SetFocus();
  Fit();
  CentreOnParent();
}

ExistingUrlAnswer CExistingUrlDialog::Ask() {
  switch (ShowModal()) {
    case kReplaceCode: return ExistingUrlAnswer::kReplace;
    case kAddBesideCode: return ExistingUrlAnswer::kAddBeside;
    default: return ExistingUrlAnswer::kCancel;
  }
}
