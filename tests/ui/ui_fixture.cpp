#include "ui/ui_fixture.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "app/list_layout.h"
#include "ui/item_list_ctrl.h"
#include "ui/vamel_rss_view.h"
#include "ui/main_frame.h"
#include "ui/vamel_app.h"

int CDialogScript::Enter(wxDialog* dialog) {
  titles.push_back(dialog->GetTitle());
  if (m_next >= m_handlers.size()) {
    auto* box = wxDynamicCast(dialog, wxMessageDialog);
    ADD_FAILURE() << "unexpected dialog: " << dialog->GetTitle().utf8_string()
                  << (box ? " \"" + box->GetMessage().utf8_string() + "\"" : std::string());
    return wxID_CANCEL;
  }
  return m_handlers[m_next++](dialog);
}

CDialogScript::Handler CDialogScript::Drive(std::function<void(wxDialog*)> user) {
  return [user](wxDialog* dialog) {
    dialog->CallAfter([dialog, user] { user(dialog); });
    return static_cast<int>(wxID_NONE);
  };
}

void UiTest::SetUp() {
  VamelTest::SetUp();
  SetListHeightPercent(ListHeightPercent());
}

void UiTest::TearDown() {
  if (frame) Close(frame);
  EXPECT_EQ(dialogs.Pending(), 0u) << "expected dialogs never shown";
  VamelTest::TearDown();
}

std::string UiTest::MakeExampleProject() {
  const std::string site = TempPath("site");
  std::filesystem::copy(VAMELRSS_EXAMPLE_SITE, site, std::filesystem::copy_options::recursive);
  const std::string file = TempPath("site.fpj");
  const std::string cli = VAMELRSS_CLI;
  EXPECT_EQ(RunCommand("'" + cli + "' new '" + file + "' --title Site --url https://yamanote.example.jp/ --folder '" + site +
                       "' --import-mode 3 >/dev/null"),
            0);
  EXPECT_EQ(RunCommand("'" + cli + "' scan '" + file + "' --import all >/dev/null"), 0);
  return file;
}

CMainFrame* UiTest::Start(const std::string& file, bool expectStarted) {
  frame = StartMainWindow(desktop, file);
  if (expectStarted) {
    EXPECT_NE(frame, nullptr);
    // Shown, in the size the window manager gave it, and laid out for that size.
    if (frame) {
      EXPECT_TRUE(WaitFor([this] {
        return frame->IsShownOnScreen() && FrameOnScreen(frame).GetSize() == frame->GetSize() &&
               frame->View()->List()->GetSize().y > 0;
      }));
    }
  }
  Pump();
  return frame;
}

void UiTest::Close(CMainFrame* closing) {
  closing->Close(true);
  if (closing == frame) frame = nullptr;
  Pump();
}

wxRect UiTest::FrameOnScreen(wxWindow* window) {
  GdkWindow* native = window->GetHandle() ? gtk_widget_get_window(window->GetHandle()) : nullptr;
  if (!native) return wxRect();
  GdkRectangle r;
  gdk_window_get_frame_extents(native, &r);
  return wxRect(r.x, r.y, r.width, r.height);
}

bool UiTest::WaitFor(const std::function<bool()>& condition, int seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    Pump();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

void UiTest::Pump() {
  for (int i = 0; i < 4; ++i) {
    wxTheApp->ProcessPendingEvents();
    wxYield();
    wxTheApp->ProcessIdle();
  }
}
