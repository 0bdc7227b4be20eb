#include "ui/help_viewer.h"

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/display.h>
#include <wx/filename.h>
#include <wx/fs_arc.h>
#include <wx/filesys.h>
#include <wx/msgdlg.h>
#include <wx/html/helpctrl.h>
#include <wx/html/helpdlg.h>
#include <wx/html/helpfrm.h>
#include <wx/html/helpwnd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/interaction.h"
#include "ui/wx_text.h"

namespace {

constexpr const char* kBookName = "vamelrss.htb";
constexpr int kContentsTopic = 1;

constexpr int kHelpWidth = 960;
constexpr int kHelpHeight = 680;

// The help controller whose window, when it is made, comes over the window that asked for help, whole
// on the screen that shows that window (the window manager would put it anywhere, partly off screen).
class CPlacedHelpController : public wxHtmlHelpController {
public:
  using wxHtmlHelpController::wxHtmlHelpController;

protected:
  wxWindow* CreateHelpWindow() override {
    const bool made = m_helpWindow == nullptr;
    wxWindow* window = wxHtmlHelpController::CreateHelpWindow();
    wxWindow* top = m_helpDialog ? static_cast<wxWindow*>(m_helpDialog) : static_cast<wxWindow*>(m_helpFrame);
    if (made && top) Place(top);
    return window;
  }

private:
  void Place(wxWindow* top) {
    wxWindow* over = GetParentWindow() ? wxGetTopLevelParent(GetParentWindow()) : wxTheApp->GetTopWindow();
    const int index = over ? wxDisplay::GetFromWindow(over) : wxNOT_FOUND;
    const wxRect screen = wxDisplay(index == wxNOT_FOUND ? 0u : static_cast<unsigned>(index)).GetClientArea();
    wxRect r(0, 0, std::min(kHelpWidth, screen.width), std::min(kHelpHeight, screen.height));
    r = r.CenterIn(over ? over->GetScreenRect() : screen);
    r.x = std::clamp(r.x, screen.x, screen.GetRight() + 1 - r.width);
    r.y = std::clamp(r.y, screen.y, screen.GetBottom() + 1 - r.height);
    top->SetSize(r);
  }
};

struct Viewer {
  std::unique_ptr<wxHtmlHelpController> controller;
  bool added = false;
};
Viewer& FrameViewer() {
  static Viewer viewer;
  return viewer;
}
Viewer& ModalViewer() {
  static Viewer viewer;
  return viewer;
}

// A help viewer with the book, made when help is first asked for; null when there is no book (the
// user has been told). Help asked for from a modal dialog opens in a modal window of its own, which
// the dialog does not block.
wxHtmlHelpController* Controller(wxWindow* parent) {
  static Viewer& frame = FrameViewer();
  static Viewer& modal = ModalViewer();
  wxDialog* dialog = wxDynamicCast(wxGetTopLevelParent(parent), wxDialog);
  const bool fromModal = dialog && dialog->IsModal();
  Viewer& viewer = fromModal ? modal : frame;
  if (!viewer.controller) {
    viewer.controller = std::make_unique<CPlacedHelpController>(fromModal ? wxHF_DEFAULT_STYLE | wxHF_DIALOG | wxHF_MODAL
                                                                          : wxHF_DEFAULT_STYLE);
    viewer.controller->SetFrameParameters("%s", wxSize(kHelpWidth, kHelpHeight));
    viewer.controller->SetShouldPreventAppExit(false);
  }
  if (!viewer.added) {
    // The book is a zip archive, which wx's file system reads through this handler.
    static const bool handler = [] {
      wxFileSystem::AddHandler(new wxArchiveFSHandler);
      return true;
    }();
    (void)handler;
    const wxString book = wxString::FromUTF8(FindHelpBook());
    if (book.empty() || !viewer.controller->AddBook(wxFileName(book))) {
      wxMessageBox(Wx("ヘルプファイル vamelrss.htb が見つかりません。プログラムを入れ直してください。"),
                   kMessageBoxCaption, wxOK | wxICON_WARNING, parent);
      return nullptr;
    }
    viewer.added = true;
  }
  viewer.controller->SetParentWindow(parent);
  return viewer.controller.get();
}

}  // namespace

std::string FindHelpBook() {
  // VAMELRSS_HELP_BOOK names a book of its own (a book being written, the tests); else the book beside
  // the program (a build tree), else the one in the installed data folder beside its bin folder.
  if (const char* named = std::getenv("VAMELRSS_HELP_BOOK")) {
    return std::filesystem::is_regular_file(named) ? std::string(named) : std::string();
  }
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return std::string();
  for (const std::filesystem::path& candidate :
       {program.parent_path() / kBookName, program.parent_path() / ".." / "share" / "vamelrss" / kBookName}) {
    if (std::filesystem::is_regular_file(candidate, error)) return candidate.lexically_normal().string();
  }
  return std::string();
}

void ShowHelpContents(wxWindow* parent) { ShowHelpTopic(parent, kContentsTopic); }

void ShowHelpIndex(wxWindow* parent) {
  if (wxHtmlHelpController* help = Controller(parent)) help->DisplayIndex();
}

void ShowHelpTopic(wxWindow* parent, int contextNumber) {
  if (wxHtmlHelpController* help = Controller(parent)) help->Display(contextNumber);
}

void BindHelpKey(wxDialog* dialog, int contextNumber) {
  // GTK turns no key into a help request, so F1 is taken before the dialog's controls see it.
  dialog->Bind(wxEVT_CHAR_HOOK, [dialog, contextNumber](wxKeyEvent& event) {
    if (event.GetKeyCode() == WXK_F1 && event.GetModifiers() == wxMOD_NONE) ShowHelpTopic(dialog, contextNumber);
    else event.Skip();
  });
  dialog->Bind(wxEVT_HELP, [dialog, contextNumber](wxHelpEvent&) { ShowHelpTopic(dialog, contextNumber); });
}

wxWindow* HelpWindow() {
  for (Viewer* viewer : {&ModalViewer(), &FrameViewer()}) {
    if (viewer->controller && viewer->controller->GetHelpWindow()) return viewer->controller->GetHelpWindow();
  }
  return nullptr;
}

std::string CurrentHelpPage() {
  wxWindow* window = HelpWindow();
  return window ? static_cast<wxHtmlHelpWindow*>(window)->GetHtmlWindow()->GetOpenedPage().utf8_string() : std::string();
}
