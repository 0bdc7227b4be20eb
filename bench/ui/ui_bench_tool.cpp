// The desktop app for the side-by-side benchmarks (scripts/bench ui), on the display it is given:
//   open FILE     starts the main window on FILE as the program does and ends once it is on the screen
//                 with the list filled (the time and memory that a project adds to opening it);
//   refresh FILE  opens FILE, then counts (under callgrind, instrumentation started here) the
//                 instructions of one RefreshList after an edit of the first item.
#include <valgrind/callgrind.h>
#include <wx/app.h>
#include <wx/xrc/xmlres.h>

#include <cstdio>
#include <cstring>

#include "app/vamel_rss_doc.h"
#include "model/rss_item.h"
#include "ui/desktop_interaction.h"
#include "ui/item_list_ctrl.h"
#include "ui/vamel_rss_view.h"
#include "ui/main_frame.h"
#include "ui/vamel_app.h"

extern void InitXmlResource();

namespace {

class CBenchApp : public wxApp {
public:
  bool OnInit() override { return true; }
};

void Pump() {
  for (int i = 0; i < 3; ++i) {
    wxTheApp->ProcessPendingEvents();
    wxYield();
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 || (std::strcmp(argv[1], "open") != 0 && std::strcmp(argv[1], "refresh") != 0)) {
    std::fprintf(stderr, "usage: ui_bench_tool open|refresh FILE\n");
    return 2;
  }
  const bool refresh = std::strcmp(argv[1], "refresh") == 0;
  int wxArgc = 1;
  wxApp::SetInstance(new CBenchApp);
  if (!wxEntryStart(wxArgc, argv) || !wxTheApp->CallOnInit()) return 1;
  UseJapaneseTranslations();
  wxXmlResource::Get()->InitAllHandlers();
  InitXmlResource();
  CDesktopInteraction ui;
  CMainFrame* frame = StartMainWindow(ui, argv[2]);
  if (!frame) return 1;
  while (!frame->IsShownOnScreen()) Pump();
  Pump();
  if (frame->View()->List()->GetItemCount() != frame->Doc().GetProject().GetSize()) return 1;
  if (refresh) {
    // An edit of the first item as the editor's OK leaves it, then the view's refresh of that row.
    frame->Doc().GetProject().GetAt(0)->title += "x";
    CALLGRIND_START_INSTRUMENTATION;
    frame->View()->RefreshList(0, false);
    CALLGRIND_STOP_INSTRUMENTATION;
  }
  std::fflush(stdout);
  // Leave as a benchmark should: at once, without tearing the window down.
  std::_Exit(0);
}
