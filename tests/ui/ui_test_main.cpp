// The desktop app's tests run inside a wx application of their own: wx is started (with the dialogs'
// resources and the locale and translations the app uses, for a Japanese user), then the tests, then wx
// is shut down. Each run
// starts itself again on a virtual display of its own (xvfb-run, 1280 by 800) with a window manager
// (openbox), as a user's desktop has one: placement, focus and dialogs behave as they do there. No
// window reaches the developer's desktop; listing the tests needs no display.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/xrc/xmlres.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

#include "ui/vamel_app.h"

extern void InitXmlResource();

namespace {

class CTestApp : public wxApp {
public:
  bool OnInit() override {
    UseUserLocale();
    wxXmlResource::Get()->InitAllHandlers();
    InitXmlResource();
    return true;
  }
};

// True when `command` (a shell command) succeeds within about ten seconds of asking again and again,
// while `alive` holds.
bool Eventually(const char* command, const std::function<bool()>& alive = [] { return true; }) {
  for (int i = 0; i < 500 && alive(); ++i) {
    if (std::system(command) == 0) return true;
    usleep(20 * 1000);
  }
  return false;
}

// Starts openbox on the display and waits until it has taken the screen (it names itself in the root
// window's _NET_SUPPORTING_WM_CHECK); its process id, 0 when it could not start.
pid_t StartWindowManager() {
  if (!Eventually("xprop -root >/dev/null 2>&1")) {
    std::fprintf(stderr, "the virtual display takes no connections\n");
    return 0;
  }
  for (int attempt = 0; attempt < 2; ++attempt) {
    char* args[] = {const_cast<char*>("openbox"), const_cast<char*>("--sm-disable"), nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, "openbox", nullptr, nullptr, args, environ) != 0) {
      std::fprintf(stderr, "openbox could not be started: the desktop app's tests need it\n");
      return 0;
    }
    bool ended = false;
    auto alive = [pid, &ended] { return !(ended = ended || waitpid(pid, nullptr, WNOHANG) == pid); };
    if (Eventually("xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'", alive)) return pid;
    if (!ended) {
      kill(pid, SIGTERM);
      waitpid(pid, nullptr, 0);
    }
  }
  std::fprintf(stderr, "openbox did not take the display\n");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  bool listing = false;
  for (int i = 1; i < argc; ++i) listing = listing || std::strcmp(argv[i], "--gtest_list_tests") == 0;
  if (!listing && !std::getenv("VAMELRSS_UI_TEST_DISPLAY")) {
    setenv("VAMELRSS_UI_TEST_DISPLAY", "1", 1);
    // The app is used as a Japanese user runs it.
    setenv("LC_ALL", "ja_JP.UTF-8", 1);
    std::vector<char*> args = {const_cast<char*>("xvfb-run"), const_cast<char*>("-a"), const_cast<char*>("-s"),
                               const_cast<char*>("-screen 0 1280x800x24 -noreset")};
    for (int i = 0; i < argc; ++i) args.push_back(argv[i]);
    args.push_back(nullptr);
    execvp("xvfb-run", args.data());
    std::perror("xvfb-run");
    return 1;
  }
  testing::InitGoogleTest(&argc, argv);
  if (listing) return RUN_ALL_TESTS();
  const pid_t windowManager = StartWindowManager();
  if (windowManager == 0) return 1;
  wxApp::SetInstance(new CTestApp);
  if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) return 1;
  const int result = RUN_ALL_TESTS();
  wxTheApp->OnExit();
  wxEntryCleanup();
  kill(windowManager, SIGTERM);
  waitpid(windowManager, nullptr, 0);
  return result;
}
