#include "ui/dialogs/existing_url_dialog.h"

#include <wx/button.h>

#include "ui/dialogs/xrc_dialog.h"

namespace {

// The end codes of the two answers besides cancel.
constexpr int kReplace = wxID_HIGHEST + 1;
constexpr int kAddBeside = wxID_HIGHEST + 2;

}  // namespace

CExistingUrlDialog::CExistingUrlDialog(wxWindow* parent) {
  LoadXrcDialog(this, parent, "ExistingUrlDialog");
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(kReplace); }, XRCID("replace"));
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(kAddBeside); }, XRCID("beside"));
  SetEscapeId(wxID_CANCEL);
  XrcControl<wxButton>(this, "replace")->SetFocus();
  Fit();
  CentreOnParent();
}

ExistingUrlAnswer CExistingUrlDialog::Ask() {
  switch (ShowModal()) {
    case kReplace: return ExistingUrlAnswer::kReplace;
    case kAddBeside: return ExistingUrlAnswer::kAddBeside;
    default: return ExistingUrlAnswer::kCancel;
  }
}
