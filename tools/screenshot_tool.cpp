// Takes the README's screenshots of the desktop app on the example project: the main window with the
// first item previewed, then each dialog as the user opens it. Run by scripts/screenshots on a virtual
// display with a window manager; writes one PNG per window into the folder it is given.
#include <wx/app.h>
#include <wx/bookctrl.h>
#include <wx/dialog.h>
#include <wx/utils.h>
#include <wx/webview.h>
#include <wx/xrc/xmlres.h>

#include <dlfcn.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>

#include "app/enclosure_source.h"
#include "app/vamel_rss_doc.h"
#include "model/rss_file.h"
#include "model/rss_item.h"
#include "platform/text_codec.h"
#include "ui/desktop_interaction.h"
#include "ui/dialogs/folder_scan_dialog.h"
#include "ui/dialogs/item_editor_dialog.h"
#include "ui/dialogs/new_project_wizard.h"
#include "ui/dialogs/settings_sheet_dialog.h"
#include "ui/html_ctrl.h"
#include "ui/item_list_ctrl.h"
#include "ui/vamel_rss_view.h"
#include "ui/main_frame.h"
#include "ui/vamel_app.h"

extern void InitXmlResource();

namespace {

std::string g_folder;

class CShotApp : public wxApp {
public:
  bool OnInit() override { return true; }
};

// Lets the windows draw themselves: the events of now, then a short settling pause, a few times over.
void Settle() {
  for (int i = 0; i < 20; ++i) {
    wxTheApp->ProcessPendingEvents();
    wxYield();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

// The X window of a wx window. The toolkit's two calls are looked up in the running program (wx has
// loaded GTK), so the tool needs no GTK headers.
unsigned long XWindowOf(wxWindow* window) {
  using GetWindow = void* (*)(void*);
  using GetXid = unsigned long (*)(void*);
  static auto getWindow = reinterpret_cast<GetWindow>(dlsym(RTLD_DEFAULT, "gtk_widget_get_window"));
  static auto getXid = reinterpret_cast<GetXid>(dlsym(RTLD_DEFAULT, "gdk_x11_window_get_xid"));
  if (!getWindow || !getXid) return 0;
  void* gdkWindow = getWindow(window->GetHandle());
  return gdkWindow ? getXid(gdkWindow) : 0;
}

// The window with the frame the window manager draws around it, into folder/name.png.
void Grab(wxWindow* window, const char* name) {
  Settle();
  const std::string path = g_folder + "/" + name + ".png";
  const unsigned long id = XWindowOf(window);
  const std::string target = id ? "-frame -window " + std::to_string(id) : std::string("-window root");
  if (std::system(("import " + target + " '" + path + "'").c_str()) == 0) std::printf("%s\n", path.c_str());
  else std::fprintf(stderr, "could not take %s\n", path.c_str());
}

// Opens a modal dialog with `open`, lets `prepare` bring it into the state to show, takes its picture
// once it is up, and cancels it.
void GrabModal(const char* name, const std::function<void()>& open,
               const std::function<void(wxDialog*)>& prepare = {}) {
  wxTheApp->CallAfter([name, prepare] {
    wxWindow* dialog = nullptr;
    for (wxWindowList::compatibility_iterator node = wxTopLevelWindows.GetLast(); node && !dialog; node = node->GetPrevious()) {
      auto* d = wxDynamicCast(node->GetData(), wxDialog);
      if (d && d->IsModal()) dialog = d;
    }
    if (!dialog) return;
    if (prepare) prepare(static_cast<wxDialog*>(dialog));
    Grab(dialog, name);
    static_cast<wxDialog*>(dialog)->EndModal(wxID_CANCEL);
  });
  open();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: screenshot_tool PROJECT OUTPUT-FOLDER\n");
    return 2;
  }
  g_folder = argv[2];
  int wxArgc = 1;
  wxApp::SetInstance(new CShotApp);
  if (!wxEntryStart(wxArgc, argv) || !wxTheApp->CallOnInit()) return 1;
  UseUserLocale();
  wxXmlResource::Get()->InitAllHandlers();
  InitXmlResource();
  CDesktopInteraction ui;
  CMainFrame* frame = StartMainWindow(ui, argv[1]);
  if (!frame) return 1;
  frame->SetSize(60, 40, 960, 640);
  CVamelRssView* view = frame->View();
  view->RefreshList(1);
  Settle();
  Grab(frame, "main-window");

  CRssFile& project = frame->Doc().GetProject();
  GrabModal("item-editor", [&] { CItemEditorDialog(ui.Parent(), project, *project.GetAt(1), ui).ShowModal(); });
  // An episode of a podcast: a new item that carries a media file of the site as its enclosure.
  const CResult<CEnclosure> media = EnclosureFor(project, project.localFolder + "/podcast/2006-05-10.mp3");
  if (media) {
    CRssItem episode(project.GetAt(0)->date);
    episode.url = "https://yamanote.example.jp/podcast/12.html";
    episode.title = Lit("坂道ラジオ 第12回 神楽坂");
    episode.description = Lit("神楽坂の坂道と路地を歩きながら話しました。");
    episode.ext.enclosure = media.value;
    episode.ext.episode = 12;
    episode.ext.season = 1;
    episode.ext.episodeType = "full";
    GrabModal("item-editor-enclosure", [&] { CItemEditorDialog(ui.Parent(), project, episode, ui).ShowModal(); });
  }
  GrabModal("site-settings", [&] { RunSiteSettings(ui.Parent(), project, ui); });
  // The sheet at one of its pages beyond the site's own: its tab and, on "拡張", its entry of the list, as
  // the user clicks them.
  auto sheetAt = [&](const char* name, const char* tab, const char* entry) {
    GrabModal(name, [&] { RunSiteSettings(ui.Parent(), project, ui); }, [tab, entry](wxDialog* d) {
      auto* sheet = static_cast<CSettingsSheetDialog*>(d);
      auto select = [](wxBookCtrlBase* book, const char* text) {
        for (size_t i = 0; book && i < book->GetPageCount(); ++i) {
          if (book->GetPageText(i) == wxString::FromUTF8(text)) book->SetSelection(i);
        }
      };
      select(sheet->GetBookCtrl(), tab);
      select(sheet->ExtensionBook(), entry);
    });
  };
  sheetAt("settings-extensions", "拡張", "全般");
  sheetAt("settings-json-feed", "拡張", "JSON Feed");
  sheetAt("settings-notices", "拡張", "更新通知");
  sheetAt("settings-sections", "拡張", "セクション");
  sheetAt("settings-podcast", "拡張", "ポッドキャスト");
  GrabModal("folder-scan", [&] { CFolderScanDialog(ui.Parent(), project, ui).ShowModal(); });
  GrabModal("wizard", [&] {
    CRssFile fresh;
    RunNewProjectWizard(ui.Parent(), fresh, ui);
  });
  std::_Exit(0);
}
