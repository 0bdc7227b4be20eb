#include "ui/dialogs/dialog_size.h"

#include <wx/dialog.h>
#include <wx/sizer.h>

#include <algorithm>

void FitDialog(wxDialog* dialog) {
  dialog->Fit();
  dialog->SetMinSize(dialog->GetSize());
  dialog->Bind(wxEVT_SIZE, [dialog](wxSizeEvent& event) {
    event.Skip();
    wxSizer* sizer = dialog->GetSizer();
    if (!sizer) return;
    const wxSize need = sizer->GetMinSize();
    const wxSize have = dialog->GetClientSize();
    if (have.x >= need.x && have.y >= need.y) return;
    const wxSize client(std::max(have.x, need.x), std::max(have.y, need.y));
    dialog->SetMinSize(dialog->ClientToWindowSize(need));
    dialog->SetClientSize(client);
  });
}
