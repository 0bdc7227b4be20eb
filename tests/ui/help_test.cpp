// The help book in the desktop app: the contents and the topics by context number open their pages;
// without a book the user is told so.
#include <wx/display.h>
#include <wx/msgdlg.h>
#include <wx/uiaction.h>

#include <cstdlib>

#include "ui/command_wx_ids.h"
#include "ui/help_viewer.h"
#include "ui/item_list_ctrl.h"
#include "ui/vamel_rss_view.h"
#include "ui/main_frame.h"
#include "ui/ui_fixture.h"
#include "ui/wx_text.h"

namespace {

class Help : public UiTest {
protected:
  void TearDown() override {
    UiTest::TearDown();
    unsetenv("VAMELRSS_HELP_BOOK");
  }
};

std::string PageName(const std::string& page) {
  const size_t slash = page.find_last_of("/:");
  return slash == std::string::npos ? page : page.substr(slash + 1);
}

}  // namespace

TEST_F(Help, AMissingBookIsSaidSo) {
  setenv("VAMELRSS_HELP_BOOK", TempPath("no-book.htb").c_str(), 1);
  ASSERT_EQ(FindHelpBook(), "");
  const std::string file = MakeExampleProject();
  Start(file);
  dialogs.Then([](wxDialog* d) {
    auto* box = wxDynamicCast(d, wxMessageDialog);
    EXPECT_NE(box->GetMessage().utf8_string().find("vamelrss.htb"), std::string::npos);
    EXPECT_EQ(box->GetTitle(), "VamelRss");
    return static_cast<int>(wxID_OK);
  });
  EXPECT_TRUE(frame->RunCommand(ID_HELP_FINDER));
}

TEST_F(Help, TopicsByContextNumber) {
  setenv("VAMELRSS_HELP_BOOK", VAMELRSS_HELP_BOOK, 1);
  const std::string file = MakeExampleProject();
  Start(file);
  // The main window toward the screen's right edge: the help comes over it, whole on the screen.
  frame->SetSize(560, 260, 700, 500);
  ASSERT_TRUE(WaitFor([this] { return FrameOnScreen(frame) == wxRect(560, 260, 700, 500); }, 10));
  ASSERT_TRUE(frame->RunCommand(ID_HELP_FINDER));
  ASSERT_TRUE(WaitFor([] { return !CurrentHelpPage().empty(); }));
  EXPECT_EQ(PageName(CurrentHelpPage()), "index.html");
  wxWindow* help = wxGetTopLevelParent(HelpWindow());
  ASSERT_NE(help, nullptr);
  const wxRect screen = wxDisplay(wxDisplay::GetFromWindow(frame)).GetClientArea();
  ASSERT_TRUE(WaitFor([help] { return help->IsShownOnScreen() && FrameOnScreen(help).GetSize() == help->GetSize(); }, 10));
  EXPECT_TRUE(screen.Contains(FrameOnScreen(help))) << FrameOnScreen(help) << " on " << screen;
  EXPECT_TRUE(FrameOnScreen(help).Contains(frame->GetScreenRect().GetPosition() + frame->GetSize() / 2));
  ShowHelpTopic(frame, 11);
  EXPECT_TRUE(WaitFor([] { return PageName(CurrentHelpPage()) == "item_editor.html"; })) << CurrentHelpPage();
  ShowHelpTopic(frame, 12);
  EXPECT_TRUE(WaitFor([] { return PageName(CurrentHelpPage()) == "marker_tags.html"; })) << CurrentHelpPage();
  // The index opens on the book's start page.
  ASSERT_TRUE(frame->RunCommand(ID_HELP_INDEX));
  EXPECT_TRUE(WaitFor([] { return PageName(CurrentHelpPage()) == "index.html"; })) << CurrentHelpPage();
}

TEST_F(Help, F1InTheItemEditorAndTheMarkerTagDialogOpensTheirTopics) {
  setenv("VAMELRSS_HELP_BOOK", VAMELRSS_HELP_BOOK, 1);
  Start(MakeExampleProject());
  frame->View()->List()->SelectOnly(0);
  // F1 pressed in the dialog once it has the keyboard; the help comes over it, modal, on its topic.
  std::vector<std::string> pages;
  auto pressF1 = [&pages](const char* then) {
    return CDialogScript::Drive([&pages, then](wxDialog* d) {
      ASSERT_TRUE(WaitFor([d] { return d->IsShownOnScreen() && wxGetTopLevelParent(wxWindow::FindFocus()) == d; }));
      const size_t before = pages.size();
      wxUIActionSimulator().Char(WXK_F1);
      EXPECT_TRUE(WaitFor([&pages, before] { return pages.size() > before; }));
      if (then) {
        wxCommandEvent press(wxEVT_BUTTON, XRCID(then));
        d->FindWindow(XRCID(then))->GetEventHandler()->ProcessEvent(press);
        EXPECT_TRUE(WaitFor([&pages, before] { return pages.size() > before + 1; }));
      }
      d->EndModal(wxID_CANCEL);
    });
  };
  // The help window, closed as the user closes it.
  auto helpShown = CDialogScript::Drive([&pages](wxDialog* help) {
    pages.push_back(PageName(CurrentHelpPage()));
    help->Close();
  });
  dialogs.Then(pressF1("tags"));  // the item editor, then its marker tag dialog
  dialogs.Then(helpShown);
  dialogs.Then(pressF1(nullptr));  // the marker tag dialog
  dialogs.Then(helpShown);
  ASSERT_TRUE(frame->RunCommand(ID_ITEM_EDIT));
  EXPECT_EQ(pages, (std::vector<std::string>{"item_editor.html", "marker_tags.html"}));
}
