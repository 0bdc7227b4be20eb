// "アイテム編集": one feed item's URL, title, category, date and time, description, content, image, its
// enclosure and episode values, and whether it is kept out of the feeds. The
// dialog holds the values; only OK writes them into the item (the marker tags go in at once when their
// own dialog is confirmed).
#pragma once

#include <wx/dialog.h>
#include <wx/string.h>

#include "app/item_refresh.h"

class CInteraction;
class CRssFile;
class CRssItem;
class wxButton;
class wxCheckBox;
class wxChoice;
class wxComboBox;
class wxDatePickerCtrl;
class wxSpinCtrl;
class wxTextCtrl;
class wxTimePickerCtrl;

class CItemEditorDialog : public wxDialog {
public:
  CItemEditorDialog(wxWindow* parent, CRssFile& project, CRssItem& item, CInteraction& ui);

  // The values into the controls, and back.
  bool TransferDataToWindow() override;
  bool TransferDataFromWindow() override;
  // OK: the enclosure's numbers must be numbers, and a local file typed as the enclosure is taken in.
  bool Validate() override;

  // After OK: the values the item is to take.
  const CItemEditorValues& Values() const { return m_values; }

private:
  void OnBrowse(wxCommandEvent& event);
  void OnNow(wxCommandEvent& event);
  void OnImport(wxCommandEvent& event);
  void OnOpenLocal(wxCommandEvent& event);
  void OnTags(wxCommandEvent& event);
  void OnBrowseEnclosure(wxCommandEvent& event);
  void OnFetchEnclosure(wxCommandEvent& event);

  CRssFile& m_project;
  CInteraction& m_ui;
  CItemEditorValues m_values;
  wxTextCtrl* m_url;
  wxTextCtrl* m_title;
  wxComboBox* m_category;
  wxDatePickerCtrl* m_date;
  wxTimePickerCtrl* m_time;
  wxTextCtrl* m_description;
  wxString m_shownDescription;  // as put into the box
  wxTextCtrl* m_content;
  wxTextCtrl* m_image;
  wxCheckBox* m_hidden;
  wxTextCtrl* m_enclosure;
  wxTextCtrl* m_length;
  wxTextCtrl* m_type;
  wxTextCtrl* m_duration;
  wxSpinCtrl* m_episode;
  wxSpinCtrl* m_season;
  wxChoice* m_episodeType;
};
