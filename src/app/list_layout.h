// Where the item list view puts its controls, and what a drag of its splitter means: the arithmetic of
// the view's layout, apart from any window system.
#pragma once

// A rectangle in client coordinates: left, top, right, bottom.
struct CLayoutRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

// The view's controls: the five item buttons and the preview-mode combo box in a column, the create
// button at the bottom of it, the list and the preview sharing the rest, and the splitter between them.
struct CListLayout {
  CLayoutRect buttons[6];  // "追加", "編集", "削除", "一つ上へ", "一つ下へ", the preview-mode combo box
  CLayoutRect create;      // "作成(&X)"
  CLayoutRect list;
  CLayoutRect preview;
  CLayoutRect splitter;  // where a press starts a drag (left 0, as the view always had it)
};

// The layout of a client area with buttons `buttonWidth` by `buttonHeight` and the list taking
// `percent` of the height it shares with the preview: margins of 10, D = (height - 20) x percent / 100
// in unsigned arithmetic, the list D - 10 high, the preview starting at D and reaching 5 pixels into
// the bottom margin. Neither pane is made lower than `minPane` while the height allows (a list lower
// than its header and a row shows nothing and leaves its scroll bars no room), the list's first. A
// client area too small for the margins gives empty rectangles, never negative sizes.
CListLayout ComputeListLayout(const CLayoutRect& client, int buttonWidth, int buttonHeight, int percent, int minPane = 0);

// The smallest client area in which nothing of that layout overlaps or goes missing: the button column
// with its seven places and the create button, beside a list `minListWidth` wide; both panes
// `minPane` high.
CLayoutRect MinimumListLayoutSize(int buttonWidth, int buttonHeight, int minListWidth, int minPane);

// The list's new percentage when the splitter is released at `y` in a client area `clientHeight` high:
// (y x 100 + 1000) / (clientHeight - 20) in unsigned arithmetic. False when that is not 1 to 99 (a
// release above the client area gives 0 or a huge quotient) or when the area is too small to share.
bool SplitterPercent(int y, int clientHeight, int& percent);

// The list height percentage of this run: read from "System"/"HeightPercent" at start-up, changed by the
// splitter (for this run only) and by the Options dialog (which stores it).
int ListHeightPercent();
void SetListHeightPercent(int percent);
