// The main window's one view: the project's items as a three-column list, the current item's preview
// below it, the item buttons and the preview-mode box beside them, and the splitter between list and
// preview. Its buttons and context menu send their commands to the main window like the menus do; the
// item commands' handlers (desktop_commands.cpp) call the view's item operations below.
#pragma once

#include <wx/panel.h>

#include <vector>

class CDesktopInteraction;
class CHtmlCtrl;
class CItemListCtrl;
class CVamelRssDoc;
class wxButton;
class wxChoice;
class wxListEvent;

class CVamelRssView : public wxPanel {
public:
  CVamelRssView(wxWindow* parent, CVamelRssDoc& doc, CDesktopInteraction& ui);

  // A new or opened document is attached: the first time the preview mode is read; then the layout
  // and the list with the current row kept.
  void OnInitialUpdate();
  // Rebuilds the rows from the project and makes `row` current: -1 keeps the current row, -2 takes the
  // last one; a row past the end becomes the last. `remeasure` sizes the columns again (after an
  // import or an open); otherwise only the current row's texts may widen them.
  void RefreshList(int row, bool remeasure = true);
  // Places the controls for the client size and the list height percentage.
  void LayoutControls();
  // The smallest client size at which no control overlaps another and both panes show something.
  wxSize MinimumClientSize() const;
  // The item commands on the current row or the selected rows: each opens its dialog (the item editor,
  // "既存URLです", the category dialog) or asks, calls the operation, then refreshes the list and marks
  // the document modified when the project changed.
  void AddItem();
  void EditItem();
  void DeleteItems();
  void MoveItemUp();
  void MoveItemDown();
  void SortItems();
  void ChangeCategory();
  // The row with the keyboard focus; -1 when none.
  int CurrentRow() const;

  CItemListCtrl* List() const { return m_list; }
  CHtmlCtrl* Preview() const { return m_preview; }
  int PreviewMode() const { return m_previewMode; }
  // Where a press starts the splitter drag (tests read it).
  wxRect SplitterRect() const { return m_splitter; }

private:
  wxSize ButtonSize() const;  // every button of the column takes the widest label's size
  int MinimumPaneHeight() const;
  void PreviewItem(int index);
  void PreviewCurrent();
  void ApplyItemCommand(bool changed, int row, bool remeasure);
  void SendCommand(int command);
  void OnSize(wxSizeEvent& event);
  void OnLeftDown(wxMouseEvent& event);
  void OnLeftUp(wxMouseEvent& event);
  void OnCaptureLost(wxMouseCaptureLostEvent& event);
  void OnRowState(wxListEvent& event);
  void OnRowActivated(wxListEvent& event);
  void OnContextMenu(wxContextMenuEvent& event);
  void OnPreviewMode(wxCommandEvent& event);
  void OnButton(wxCommandEvent& event);
  void EndDrag();

  CVamelRssDoc& m_doc;
  CDesktopInteraction& m_ui;
  CItemListCtrl* m_list;
  CHtmlCtrl* m_preview;
  std::vector<wxButton*> m_buttons;  // 1002 to 1006
  wxButton* m_create;                // 1007
  wxChoice* m_mode;                  // 1041
  int m_previewMode = 0;
  bool m_initialised = false;
  bool m_refreshing = false;  // selection changes of RefreshList itself preview once, at its end
  wxRect m_splitter;
  bool m_dragging = false;
};
