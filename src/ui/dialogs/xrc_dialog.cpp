#include "ui/dialogs/xrc_dialog.h"

#include "ui/wx_text.h"

void LoadXrcDialog(wxDialog* dialog, wxWindow* parent, const char* name) {
  const bool loaded = wxXmlResource::Get()->LoadDialog(dialog, parent, name);
  wxASSERT_MSG(loaded, name);
  (void)loaded;
}

void UseTranslatedCancelLabel(wxWindow* dialog) {
  // wx's translation of its stock label would be taken for the stock label itself and drawn by GTK.
  if (wxWindow* cancel = dialog->FindWindow(wxID_CANCEL)) cancel->SetLabel(Wx("ｷｬﾝｾﾙ"));
}
