// "更新内容指定タグ": the start and end tags between which an item's page is harvested, with a copy
// button for each, the item's local page in the HTML editor, and the help topic. Only OK takes the tags.
#pragma once

#include <wx/dialog.h>

#include "app/interaction.h"
#include "app/item_refresh.h"

class wxTextCtrl;

class CMarkerTagDialog : public wxDialog {
public:
  CMarkerTagDialog(wxWindow* parent, const CMarkerTagValues& values, CInteraction& ui);

  bool TransferDataToWindow() override;
  bool TransferDataFromWindow() override;

  // After OK: the tags as edited.
  const CMarkerTagValues& Values() const { return m_values; }

private:
  void Copy(wxTextCtrl* tag);

  CMarkerTagValues m_values;
  CInteraction& m_ui;
  wxTextCtrl* m_start;
  wxTextCtrl* m_end;
};
