// The base of the desktop app's tests: a settings store and a temporary folder of their own (VamelTest),
// the desktop interaction, the example site as a project, a script for the modal dialogs that opens
// them or answers them without showing, and waits on conditions with a generous bound.
#pragma once

#include <wx/dialog.h>
#include <wx/modalhook.h>
#include <wx/xrc/xmlres.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "support/test_env.h"
#include "ui/desktop_interaction.h"

class CMainFrame;

// Rectangles, points and sizes in test messages.
inline std::ostream& operator<<(std::ostream& out, const wxRect& r) {
  return out << r.x << "," << r.y << " " << r.width << "x" << r.height;
}

// The desktop interaction with one thing a script can take over: the answer of the file choosers,
// whose native windows cannot be filled in without a person (the requests are checked as they reach
// the real chooser elsewhere).
class CTestDesktop : public CDesktopInteraction {
public:
  std::function<CFileDialogResult(const CFileDialogRequest&)> chooseFile;
  CFileDialogResult ChooseFile(const CFileDialogRequest& request) override {
    return chooseFile ? chooseFile(request) : CDesktopInteraction::ChooseFile(request);
  }
};

// Answers the program's modal dialogs in order. Each handler gets the dialog before it is shown and
// returns its end code (wxID_OK, wxID_CANCEL, ...), or wxID_NONE to let it run (then the handler has
// queued what the user does, with CallAfter). A dialog without a handler fails the test and is cancelled.
class CDialogScript : public wxModalDialogHook {
public:
  using Handler = std::function<int(wxDialog*)>;
  CDialogScript() { Register(); }
  ~CDialogScript() override { Unregister(); }

  void Then(Handler handler) { m_handlers.push_back(std::move(handler)); }
  // A modal dialog that the test drives: `user` gets it once it runs and does what the user does.
  static Handler Drive(std::function<void(wxDialog*)> user);
  std::vector<wxString> titles;  // the titles of the dialogs seen, in order
  size_t Pending() const { return m_handlers.size() - m_next; }

protected:
  int Enter(wxDialog* dialog) override;
  void Exit(wxDialog*) override {}

private:
  std::vector<Handler> m_handlers;
  size_t m_next = 0;
};

class UiTest : public VamelTest {
protected:
  void SetUp() override;
  void TearDown() override;

  // The example site copied into the temporary folder, and a project file over it with its pages
  // imported; returns the project's path.
  std::string MakeExampleProject();
  // Starts the main window as the program does with `file` on its command line ("" for none); asserts
  // that it starts when `expectStarted`.
  CMainFrame* Start(const std::string& file, bool expectStarted = true);
  // Closes the main window as the user does (the window saves its placement) and processes what that
  // leaves pending.
  void Close(CMainFrame* frame);

  // Where the window system has put a top-level window: its frame (the window manager's decorations
  // included), read from the display rather than from what wx was last told.
  static wxRect FrameOnScreen(wxWindow* window);

  // Lets the event loop run until `condition` holds; false after `seconds` without it.
  static bool WaitFor(const std::function<bool()>& condition, int seconds = 30);
  // Processes the events pending now.
  static void Pump();

  template <class T>
  static T* Find(wxWindow* parent, const char* name) {
    return wxDynamicCast(parent->FindWindow(XRCID(name)), T);
  }

  CTestDesktop desktop;
  CDialogScript dialogs;
  CMainFrame* frame = nullptr;
};
