// What wx does not reach of the window system underneath it (GTK 3).
#pragma once

class wxPoint;
class wxTopLevelWindow;

// Puts a top-level window that was just shown at `position` (the top-left corner of its frame). wx maps a
// new window only once the window manager has said how wide its frame is, and the position it was given
// before is lost on the way, so a window manager would place it where it likes; the window system's own
// move takes it to its place before the window manager sees it.
void MoveShownWindow(wxTopLevelWindow* window, const wxPoint& position);
