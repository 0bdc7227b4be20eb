#include "ui/native_window.h"

#include <gtk/gtk.h>
#include <wx/toplevel.h>

void MoveShownWindow(wxTopLevelWindow* window, const wxPoint& position) {
  GtkWidget* widget = window->GetHandle();
  GdkWindow* native = widget ? gtk_widget_get_window(widget) : nullptr;
  if (!native) {
    window->Move(position);
    return;
  }
  // Before the window is mapped this moves it outright; once mapped, the window manager is asked to.
  gdk_window_move(native, position.x, position.y);
}
