#include "ui/dialogs/xrc_dialog.h"

void LoadXrcDialog(wxDialog* dialog, wxWindow* parent, const char* name) {
  const bool loaded = wxXmlResource::Get()->LoadDialog(dialog, parent, name);
  wxASSERT_MSG(loaded, name);
  (void)loaded;
}
