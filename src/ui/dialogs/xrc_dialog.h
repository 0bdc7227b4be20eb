// Dialogs whose layout comes from the compiled-in XRC resources: loading one, and looking its controls
// up once by name.
#pragma once

#include <wx/dialog.h>
#include <wx/xrc/xmlres.h>

// Loads the dialog `name` of the resources into `dialog` (created by the call) over `parent`.
void LoadXrcDialog(wxDialog* dialog, wxWindow* parent, const char* name);

// The control `name` of `dialog`; the resources and the code are built together, so a missing control
// is a programming error (asserted), and a null pointer is never used as a control.
template <class T>
T* XrcControl(wxWindow* dialog, const char* name) {
  T* control = wxDynamicCast(dialog->FindWindow(XRCID(name)), T);
  wxASSERT_MSG(control, name);
  return control;
}

// GTK draws the buttons that wx makes from stock ids (Cancel of sheets and wizards) with its own
// texts, in the user's language: this gives `dialog`'s Cancel button the program's "ｷｬﾝｾﾙ".
void UseTranslatedCancelLabel(wxWindow* dialog);
