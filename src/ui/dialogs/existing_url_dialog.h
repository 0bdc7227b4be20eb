// "既存URLです": after an add, a new item's URL is an existing item's. The answer: replace the existing
// item, add the new one beside it, or cancel.
#pragma once

#include <wx/dialog.h>

#include "app/item_commands.h"

class CExistingUrlDialog : public wxDialog {
public:
  // The end codes of the two answers besides cancel (wxID_CANCEL).
  static constexpr int kReplaceCode = wxID_HIGHEST + 1;
  static constexpr int kAddBesideCode = wxID_HIGHEST + 2;

  explicit CExistingUrlDialog(wxWindow* parent);
  // Shows the dialog and returns the answer (closing it any other way cancels).
  ExistingUrlAnswer Ask();
};
