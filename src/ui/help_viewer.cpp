#include "ui/help_viewer.h"

#include <wx/dialog.h>
#include <wx/filename.h>
#include <wx/fs_arc.h>
#include <wx/filesys.h>
#include <wx/msgdlg.h>
#include <wx/html/helpctrl.h>
#include <wx/html/helpwnd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/interaction.h"
#include "ui/wx_text.h"

namespace {

constexpr const char* kBookName = "vamelrss.htb";
constexpr int kContentsTopic = 1;

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
    viewer.controller = std::make_unique<wxHtmlHelpController>(fromModal ? wxHF_DEFAULT_STYLE | wxHF_DIALOG | wxHF_MODAL
                                                                         : wxHF_DEFAULT_STYLE);
    viewer.controller->SetFrameParameters("%s", wxSize(960, 680));
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

std::string CurrentHelpPage() {
  for (Viewer* viewer : {&ModalViewer(), &FrameViewer()}) {
    if (!viewer->controller || !viewer->controller->GetHelpWindow()) continue;
    return viewer->controller->GetHelpWindow()->GetHtmlWindow()->GetOpenedPage().utf8_string();
  }
  return std::string();
}
